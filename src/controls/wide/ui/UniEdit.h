#pragma once
// The wide edit: a line edit whose text, selection and typed characters are UTF-16 code units
// end to end.

#include <QLineEdit>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QStyle;

namespace trvx {

class TUniEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TUniEdit(QWidget* parent = nullptr);
    ~TUniEdit() override;

    // Sets the text when it differs; the change handler (textChanged) then runs.
    void SetText(std::u16string_view text);
    std::u16string GetText() const;

    int GetSelStart() const;
    void SetSelStart(int start);
    int GetSelLength() const;
    void SetSelLength(int length);
    std::u16string GetSelText() const;

    // The character shown for each typed one; 0 shows the text.
    char16_t PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char16_t c);

    // Sees every typed character first: it may replace it, or clear it (0) to drop it.
    std::function<void(char16_t& key)> OnKeyPress;

signals:
    // A key went down (the read-only capture edits read keys this way).
    void keyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    char16_t passwordChar_ = 0;
    std::unique_ptr<QStyle> passwordStyle_;
};

} // namespace trvx
