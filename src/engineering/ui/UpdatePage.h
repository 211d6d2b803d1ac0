#pragma once
// The update page (page 5): default configurations, image files and patch code.

#include "pages/ui/Page.h"

namespace trvx {

class UpdatePage : public Page {
    Q_OBJECT
public:
    explicit UpdatePage(PageHost& host, QObject* parent = nullptr);

    // A patch file has been loaded and checked, and may be programmed.
    bool PatchFileLoaded() const { return patchFileLoaded_; }
    void SetPatchFileLoaded(bool loaded) { patchFileLoaded_ = loaded; }

    void Shown(int radio) override;

private:
    bool patchFileLoaded_ = false;
};

} // namespace trvx
