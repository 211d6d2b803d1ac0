#pragma once
// The hex edit: a skinned edit for register bytes and words typed in hexadecimal. While the
// filter is on only hex digits get in, whether typed, pasted or dropped, each character tested
// whole. `value()` reads the text without ever failing loudly: a text that is not a number
// (set from code) gives no value.

#include "controls/skinned/EditValues.h"
#include "controls/skinned/ui/SkinEdit.h"

#include <cstdint>
#include <optional>

namespace trvx {

class HexEdit : public SkinEdit {
    Q_OBJECT
public:
    explicit HexEdit(QWidget* parent = nullptr, const QString& name = QString());

    bool isFilter() const { return filter_; }
    void setFilter(bool filter);

    // The text as a number of the edit's base; an empty text is 0.
    std::optional<std::int32_t> value() const;
    std::int32_t valueOr(std::int32_t fallback) const { return value().value_or(fallback); }
    // Positive values show their digits (upper case, no leading zeros); 0 and below empty the
    // text. Runs changed when the text changes.
    void setValue(std::int32_t value);

protected:
    HexEdit(QWidget* parent, const QString& name, EditCharSet charSet);
    void keyPressEvent(QKeyEvent* event) override;

private:
    EditCharSet charSet_;
    bool filter_ = true;
};

} // namespace trvx
