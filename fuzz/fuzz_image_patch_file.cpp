// Arbitrary bytes as an image file and as a patch file of either storage type. A file the checks
// accept must load; a refused file must leave the working sections exactly as they were; an
// accepted patch file must give a header whose checksum matches the code it carries.
#include "engineering/ImageTransfer.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> input(data, data + size);
    for (auto kind : {trvx::StorageKind::None, trvx::StorageKind::I2C, trvx::StorageKind::Flash}) {
        if (trvx::CheckImageFile(kind, input) == trvx::ImageFileCheck::Ok) {
            trvx::WorkingModel model;
            if (!model.LoadImage(kind, input, {kind, "RGB", 1, 1, 2}))
                std::abort();
            if (trvx::AssembledImage(kind, model).size() != input.size())
                std::abort();
        }
        trvx::WorkingSections sections;
        sections.PatchCode.fill(0x5A);
        const trvx::WorkingSections before = sections;
        const auto check = trvx::LoadPatchFile(kind, input, sections);
        if (check != trvx::PatchFileCheck::Ok) {
            if (sections.PatchCode != before.PatchCode ||
                sections.PatchBlock != before.PatchBlock ||
                sections.FlashPatchCode != before.FlashPatchCode)
                std::abort();
        } else if (kind == trvx::StorageKind::I2C) {
            trvx::CheckEEPatchCodeSection(sections);
            if (sections.PatchBlock[6] != input[6] || sections.PatchBlock[7] != input[7])
                std::abort();
        }
    }
    return 0;
}
