# The Debian package, made by CPack from the install rules: `cpack -G DEB` in a build folder
# (scripts/package does it in build-package/). The dependencies on shared libraries come from
# the built programs through dpkg-shlibdeps; only what is loaded at run time is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarquel-messenger)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Tarquel International")
set(CPACK_PACKAGE_CONTACT "Tarquel International <support@tarquel.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "serverless messenger for the local network and the Internet")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarquel Messenger sends short text messages straight from one workstation to
another, on the local network or over the Internet, with no server in between.
Every workstation runs the same program. Messages go to a user of the address
book, a host, a group, every user or the whole network, and are confirmed by
the receiving station.

The program lives in the tray, keeps messages between runs, filters unwanted
senders, answers by itself while the user is away, keeps an address book in
groups and watches POP3 mailboxes.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.tarquel.com/)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tarquel International <support@tarquel.com>")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins with dlopen, where dpkg-shlibdeps cannot see them; the
# window's form font stands in for Verdana.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
# The help pages and the web site open in the desktop's browser; Qt's own buttons and dialogs
# speak the desktop's language with Qt's translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
# Files 644, folders and programs 755, owned by root, as Debian's policy wants.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)
