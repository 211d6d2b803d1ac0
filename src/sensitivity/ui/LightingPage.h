#pragma once
// The lighting page (page 3): LED type and mode, the colour palette, breathing, the MCU-LED
// settings and the profile colours.

#include "pages/ui/Page.h"

namespace trvx {

class LightingPage : public Page {
    Q_OBJECT
public:
    explicit LightingPage(PageHost& host, QObject* parent = nullptr);
};

} // namespace trvx
