// The YAML text form. On any text (an input that starts with '#', as the form does): a refused
// text leaves the image alone; an accepted one gives an image whose own text form reads back to
// the same image. On any image (other inputs, repeated to fill it): its text form, when it
// reads back onto the default image at all, changes no bit the editor does not own, and the text
// of what it stored reads back to itself.

#include "defaultimage.h"
#include "fuzzcheck.h"
#include "memmap.h"
#include "ownedbits.h"
#include "platform.h"
#include "textform.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    platform().dialogs = nullptr;
    static MemMapImage defaults = [] {
        MemMapImage image;
        LoadDefaultImage(image);
        return image;
    }();
    std::vector<TextFormError> errors;
    if (size > 0 && data[0] != '#') {
        MemMapImage image;
        for (int i = 0; i < MemMapPages * PageSize; ++i)
            image.set(i / PageSize, i % PageSize, data[std::size_t(i) % size]);
        const std::string text = WriteTextForm(image);
        MemMapImage onto = defaults;
        // Raw bytes may show values typing would refuse (a frequency off the band): then the
        // whole text is refused and nothing stored.
        if (!ReadTextForm(text, onto, errors)) {
            FuzzCheck(onto == defaults && !errors.empty(), "a refused text stored something");
            return 0;
        }
        // Bytes no typing could store show as "?" or a garbled guard and read back as the
        // value typing them gives ("Inactive", "000.0"); from then on the text is stable.
        const std::string normal = WriteTextForm(onto);
        MemMapImage again = defaults;
        FuzzCheck(ReadTextForm(normal, again, errors), "the read-back text form was refused");
        FuzzCheck(WriteTextForm(again) == normal, "text form reads back to another text");
        for (int i = 0; i < MemMapPages * PageSize; ++i) {
            const int page = i / PageSize, offset = i % PageSize;
            FuzzCheck(((onto.get(page, offset) ^ defaults.get(page, offset)) &
                       ~OwnedMask(page, offset)) == 0,
                      "reading changed a bit the editor does not own");
        }
        return 0;
    }
    const std::string text(reinterpret_cast<const char *>(data), size);
    MemMapImage image = defaults;
    if (!ReadTextForm(text, image, errors)) {
        FuzzCheck(image == defaults, "a refused text changed the image");
        FuzzCheck(!errors.empty(), "a refused text named no error");
        return 0;
    }
    MemMapImage again = defaults;
    errors.clear();
    FuzzCheck(ReadTextForm(WriteTextForm(image), again, errors), "own text form refused");
    FuzzCheck(again == image, "own text form reads back to another image");
    return 0;
}
