#include "controls/skinned/ui/IntEdit.h"

namespace trvx {

IntEdit::IntEdit(QWidget* parent, const QString& name)
    : HexEdit(parent, name, EditCharSet::Decimal) {}

} // namespace trvx
