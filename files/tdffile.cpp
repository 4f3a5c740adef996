#include "tdffile.h"

#include "appsettings.h"
#include "defaultimage.h"
#include "ioerror.h"
#include "memmap.h"
#include "numtext.h"
#include "platform.h"

bool LoadMemMapFrom_TDF_File(const std::string &fileName)
{
    if (UpperCase(fileName) == DefaultValuesName) {
        LoadDefaultImage(MemMap);
        return true;
    }
    FileSystem &fs = *platform().files;
    if (!fs.exists(fileName)) {
        LoadDefaultImage(MemMap);
        SaveSetting("Current File Name", DefaultValuesName);
        return true;
    }
    const auto data = fs.read(fileName, TdfFileSize);
    if (!data) {
        ShowIOError("LoadMemMapFrom_TDF_File - *" + fileName + "*");
        return false;
    }
    // Only the entries the file holds are replaced.
    for (std::size_t i = 0; i < data->size(); ++i)
        MemMap.set(static_cast<int>(i / PageSize), static_cast<int>(i % PageSize), (*data)[i]);
    return true;
}

bool WriteMemMapTo_TDF_File(const std::string &fileName)
{
    const std::vector<std::uint8_t> image = UsedPagesBytes(MemMap);
    // The old file is replaced only once the new one is complete.
    if (!platform().files->writeAtomic(fileName, image)) {
        ShowIOError("WriteMemMapTo_TDF_File - *" + fileName + "*");
        return false;
    }
    return true;
}
