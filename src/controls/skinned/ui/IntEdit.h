#pragma once
// The integer edit: a hex edit that takes decimal digits (colour components, times, ids).

#include "controls/skinned/ui/HexEdit.h"

namespace trvx {

class IntEdit : public HexEdit {
    Q_OBJECT
public:
    explicit IntEdit(QWidget* parent = nullptr, const QString& name = QString());
};

} // namespace trvx
