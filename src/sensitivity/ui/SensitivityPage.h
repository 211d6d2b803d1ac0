#pragma once
// The sensitivity page (page 2): CPI levels and their colours, the AIM key, the report rate
// and the desktop's pointer settings.

#include "pages/ui/Page.h"

namespace trvx {

class SensitivityPage : public Page {
    Q_OBJECT
public:
    explicit SensitivityPage(PageHost& host, QObject* parent = nullptr);

    void InputButton(int button, bool held) override;
};

} // namespace trvx
