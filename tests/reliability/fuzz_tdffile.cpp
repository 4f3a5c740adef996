// The data-file reader on any bytes: it takes the bytes it is given as the image's first bytes,
// and what the writer then saves starts with the same bytes.

#include "defaultimage.h"
#include "fakeplatform.h"
#include "fuzzcheck.h"
#include "memmap.h"
#include "platform.h"
#include "tdffile.h"

#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static MemoryFileSystem fs;
    static FakeSettings settings;
    static ScriptedDialogs dialogs;
    InstallDoubles(fs, settings, dialogs);
    fs.files.clear();
    fs.files["/in.tdf"] = std::vector<std::uint8_t>(data, data + size);
    LoadDefaultImage();

    FuzzCheck(LoadMemMapFrom_TDF_File("/in.tdf"), "a readable file was refused");
    const std::size_t held = std::min<std::size_t>(size, TdfFileSize);
    for (std::size_t i = 0; i < held; ++i)
        FuzzCheck(MemMap.get(static_cast<int>(i / PageSize), static_cast<int>(i % PageSize)) ==
                      data[i],
                  "an image byte differs from the file");
    FuzzCheck(WriteMemMapTo_TDF_File("/out.tdf"), "the image could not be saved");
    const std::vector<std::uint8_t> &out = fs.files["/out.tdf"];
    FuzzCheck(out.size() == std::size_t(TdfFileSize), "the saved file has the wrong size");
    FuzzCheck(std::equal(data, data + held, out.begin()), "the saved file differs from the read");
    return 0;
}
