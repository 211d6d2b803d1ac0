#pragma once
// Pointer capture inside the program's own windows: an application event filter that runs only
// while a recording runs. Clicks on the ignored control (the record button) are not events of
// the recording.

#include "fire/PointerCapture.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace trvx {

class InWindowCapture : public QObject, public PointerCapture {
    Q_OBJECT
public:
    explicit InWindowCapture(QObject* parent = nullptr) : QObject(parent) {}
    ~InWindowCapture() override { Stop(); }
    void SetIgnored(QWidget* control) { ignored_ = control; }
    void Start(ButtonEvent onButton) override;
    void Stop() override;
    bool Running() const override { return running_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ButtonEvent onButton_;
    QPointer<QWidget> ignored_;
    bool running_ = false;
};

} // namespace trvx
