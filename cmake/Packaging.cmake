# The tweak's Debian package: the product's device files only (component "device"), laid out from
# the device root, with the control fields tweak packages carry.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME "com.qelmor.corvane")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
set(CPACK_DEBIAN_PACKAGE_RELEASE "${PROJECT_VERSION_PATCH}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX "/")
set(CPACK_COMPONENTS_ALL device)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_PACKAGE_NAME "com.qelmor.corvane")
set(CPACK_DEBIAN_PACKAGE_SECTION "Tweaks")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Brannoc Vesk <support@qelmor.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Restyles the Phone app's dialer")
# The extended description under the synopsis above; every line within 80 columns, as dpkg and
# package lists show them.
if(CORVANE_DEVICE)
  # The device build has the hook library and its filter only: the settings pane is not built for
  # the device yet, so nothing needs the preference loader.
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE "iphoneos-arm")
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "mobilesubstrate")
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Clear number display and keypad, status bar colours, a custom call button\ncolour, black tab buttons and a hidden Voicemail tab. This package has no\nsettings pane yet: the choices are read from\n/var/mobile/Library/Preferences/com.qelmor.corvane.plist.")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "mobilesubstrate, preferenceloader")
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Clear number display and keypad, status bar colours, a custom call button\ncolour, black tab buttons and a hidden Voicemail tab, chosen in Settings.")
endif()
# Binaries ship as tweaks ship them: stripped, and executable (mode 0755). On the device build the
# strip is LLVM's, which signs the library anew.
set(CPACK_STRIP_FILES ON)
# CPack knows no Name or Author field; the package is finished with them after it is built.
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/AddTweakFields.cmake)
set(CPACK_ADD_TWEAK_FIELDS "Name: Corvane;Author: Brannoc Vesk <support@qelmor.com>")
include(CPack)
