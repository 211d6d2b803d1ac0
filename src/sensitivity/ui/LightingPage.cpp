#include "sensitivity/ui/LightingPage.h"

namespace trvx {

LightingPage::LightingPage(PageHost& host, QObject* parent) : Page(host, 3, parent) {}

} // namespace trvx
