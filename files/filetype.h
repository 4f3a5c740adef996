#pragma once

#include <string>

// The data-file type as the desktop knows it: a shared-mime-info type with a glob for the
// extension, and a desktop entry that opens such files with this program.

inline const std::string FileTypeIdentifier = "ZPA_Tessaro_Data_File.TDF";
inline const std::string FileTypeDescription = "A ZPA Tessaro Radio data file";
inline const std::string FileTypeVerb = "open";
inline const std::string FileTypeExtension = ".tdf";
// Setting that keeps the desktop file of the application that opened data files before us.
inline const std::string OldAssociationKey = "OldAssociation";

inline const std::string DataMimeType = "application/x-zpa-tessaro-data";
inline const std::string DesktopFileName = "zpa-tessaro-editor.desktop";
inline const std::string MimePackagePath = "mime/packages/zpa-tessaro-editor.xml";
inline const std::string ProgramIconName = "zpa-tessaro-editor";
// The program's icon for the user's own icon theme folder, so that an uninstalled program shows
// its icon too.
inline const std::string UserIconPath = "icons/hicolor/scalable/apps/zpa-tessaro-editor.svg";

// Installs or refreshes the type for the current user and makes the program its default
// application. Runs at every start; failures are silent.
void RegisterFileType();

// Writes the MIME package and the desktop entry of the type; an empty icon means the program's.
void CreateFileType(const std::string &identifier, const std::string &description,
                    const std::string &verb, const std::string &icon);

// Makes the program the default application of the extension's type unless it already is,
// keeping the previous one as "OldAssociation".
void AssociateExtension(const std::string &extension, const std::string &identifier);

// True when the extension belongs to the type and the program is its default application.
bool IsAssociated(const std::string &extension, const std::string &identifier);

// The program path as one argument of a desktop entry's Exec line, escaped for the key file.
std::string DesktopExecQuote(const std::string &path);

// The desktop entry and the MIME package as installed; program is the Exec line's command.
std::string DesktopEntryText(const std::string &program, const std::string &icon);
std::string MimePackageText(const std::string &mimeType, const std::string &description,
                            const std::string &extension, const std::string &icon);
