# The Debian package: cmake --build build --target package
# gives zpa-tessaro-editor_<version>_amd64.deb with dependencies from dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zpa-tessaro-editor)
set(CPACK_PACKAGE_VENDOR "ZPA Tessaro Editor developers")
set(CPACK_PACKAGE_CONTACT "Tessaro Dev <maintainers@users.noreply.c-seed-0efdd62d.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "programming editor for ZPA Tessaro hand-held radios
Reads the memory of a ZPA Tessaro hand-held FM radio (136-174 MHz, 25 groups
of 20 channels) over a serial programming cable, edits its channels, group
parameters and radio-wide options, and writes them back. Radio data are kept
in .tdf data files. Includes tessaro-radio-sim, a virtual radio on a
pseudo-terminal for training without hardware.")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
