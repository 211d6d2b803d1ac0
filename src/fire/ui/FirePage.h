#pragma once
// The fire page (page 6): fire keys, gun modes and their fire macros.

#include "pages/ui/Page.h"

namespace trvx {

class FirePage : public Page {
    Q_OBJECT
public:
    explicit FirePage(PageHost& host, QObject* parent = nullptr);

    void Wire() override;
};

} // namespace trvx
