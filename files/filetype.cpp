#include "filetype.h"

#include "appsettings.h"
#include "desktopregistry.h"
#include "platform.h"

#include <cstring>

namespace
{

struct DesktopFileType {
    const char *identifier;
    const char *mimeType;
    const char *extension;
};

constexpr DesktopFileType DesktopFileTypes[] = {
    {"ZPA_Tessaro_Data_File.TDF", "application/x-zpa-tessaro-data", ".tdf"},
};

const DesktopFileType *findType(const std::string &identifier)
{
    for (const DesktopFileType &type : DesktopFileTypes) {
        if (identifier == type.identifier)
            return &type;
    }
    return nullptr;
}

bool contains(const std::optional<std::string> &text, const std::string &part)
{
    return text && text->find(part) != std::string::npos;
}

// Writes the file only when its text differs; true when it was written.
bool writeChanged(DesktopRegistry &desktop, const std::string &path, const std::string &text)
{
    if (desktop.readUserDataFile(path) == text)
        return false;
    return desktop.writeUserDataFile(path, text);
}

std::string xmlEscaped(const std::string &text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

std::string DesktopExecQuote(const std::string &path)
{
    static const char Reserved[] = " \t\n\"'\\><~|&;$*?#()`";
    std::string arg;
    bool quote = false;
    for (char c : path) {
        if (c != '\0' && std::strchr(Reserved, c))
            quote = true;
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            arg += '\\';
        arg += c;
    }
    if (!quote)
        arg = path;
    // Field codes start with "%"; the key file's own escape doubles every backslash.
    std::string out;
    for (char c : arg) {
        if (c == '%')
            out += '%';
        if (c == '\\')
            out += '\\';
        out += c;
    }
    return quote ? "\"" + out + "\"" : out;
}

std::string DesktopEntryText(const std::string &program, const std::string &icon)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=" +
           ProgramTitle +
           "\n"
           "GenericName=Radio Programming Editor\n"
           "Comment=Read, edit and write the programming of ZPA Tessaro hand-held radios\n"
           "Exec=" +
           program +
           " %f\n"
           "Icon=" +
           icon +
           "\n"
           "Terminal=false\n"
           "Categories=Utility;Electronics;\n"
           "Keywords=radio;programming;EEPROM;channels;serial;\n"
           "MimeType=" +
           DataMimeType + ";\n";
}

std::string MimePackageText(const std::string &mimeType, const std::string &description,
                            const std::string &extension, const std::string &icon)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" +
           mimeType +
           "\">\n"
           "    <comment>" +
           xmlEscaped(description) +
           "</comment>\n"
           "    <icon name=\"" +
           xmlEscaped(icon) +
           "\"/>\n"
           "    <glob pattern=\"*" +
           xmlEscaped(extension) +
           "\" weight=\"60\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

void CreateFileType(const std::string &identifier, const std::string &description,
                    const std::string &verb, const std::string &icon)
{
    DesktopRegistry *desktop = platform().desktop;
    const DesktopFileType *type = findType(identifier);
    // A desktop entry has one open command, its Exec line; other verbs have no place there.
    if (!desktop || !type || verb != FileTypeVerb)
        return;
    const std::string iconName = icon.empty() ? ProgramIconName : icon;
    const std::string svg = desktop->programIconSvg();
    if (icon.empty() && !svg.empty())
        writeChanged(*desktop, UserIconPath, svg);
    const std::string package =
        MimePackageText(type->mimeType, description, type->extension, iconName);
    const std::string entry = DesktopEntryText(DesktopExecQuote(desktop->programPath()), iconName);
    // The caches are rebuilt only when they lack the type, so that later starts cost nothing.
    if (writeChanged(*desktop, MimePackagePath, package) ||
        !contains(desktop->readUserDataFile("mime/globs2"), type->mimeType))
        desktop->startCacheTool("update-mime-database", "mime");
    if (writeChanged(*desktop, "applications/" + DesktopFileName, entry) ||
        !contains(desktop->readUserDataFile("applications/mimeinfo.cache"), DesktopFileName))
        desktop->startCacheTool("update-desktop-database", "applications");
}

bool IsAssociated(const std::string &extension, const std::string &identifier)
{
    const DesktopFileType *type = findType(identifier);
    DesktopRegistry *desktop = platform().desktop;
    return desktop && type && extension == type->extension &&
           desktop->defaultHandler(type->mimeType) == DesktopFileName;
}

void AssociateExtension(const std::string &extension, const std::string &identifier)
{
    const DesktopFileType *type = findType(identifier);
    DesktopRegistry *desktop = platform().desktop;
    if (!desktop || !type || extension != type->extension || IsAssociated(extension, identifier))
        return;
    SaveSetting(OldAssociationKey, desktop->defaultHandler(type->mimeType));
    // Desktops watch mimeapps.list themselves: no further notice is needed.
    desktop->setDefaultHandler(type->mimeType, DesktopFileName);
}

void RegisterFileType()
{
    CreateFileType(FileTypeIdentifier, FileTypeDescription, FileTypeVerb, "");
    AssociateExtension(FileTypeExtension, FileTypeIdentifier);
}
