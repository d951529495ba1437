# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package of the application: `make package`, or `cpack` in the
# build directory, writes kavo_<version>_<arch>.deb from the install rules.
if(NOT KAVO_WITH_QT)
  return() # without the application there is nothing to package
endif()

set(KAVO_PACKAGE_MAINTAINER "The KAVO contributors <maintainers@kavo.app>"
  CACHE STRING "Maintainer field of the Debian package (Name <e-mail>)")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kavo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The KAVO contributors")
set(CPACK_PACKAGE_CONTACT "${KAVO_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://kavo.app")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "browsable, searchable catalogue of free media resources")
# The long description, wrapped as Debian control files want it.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "KAVO turns a community-curated index of links to free media resources"
  "into a catalogue to browse and search: categories, sections and entries,"
  "each entry a named link with an optional badge, a description and further"
  "links. Links open in the web browser, or are copied or shared; favourites"
  "and recently viewed links are kept. The last catalogue is kept on disk,"
  "and a copy packaged with the application stands in when there is neither"
  "a cache nor a network.")
# Packaged binaries carry no debug information.
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KAVO_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries the binary links (Qt, ICU, simdjson, uriparser, md4c,
# the C++ runtime) come from dpkg-shlibdeps, with their minimum versions.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
find_program(KAVO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(NOT KAVO_DPKG_SHLIBDEPS)
  message(WARNING "dpkg-shlibdeps (Debian package dpkg-dev) not found: the Debian package "
                  "would lack the shared-library dependencies")
endif()
# The QML modules the application imports at run time, directly or through
# the modules it imports (QtQuick -> QtQml -> Models, WorkerScript; the
# Material style -> Templates, Window; Qt.labs.qmlmodels for the rows), and
# the SVG image plugin that draws the application's own symbol: no linked
# library names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qml6-module-qtqml, qml6-module-qtqml-models, qml6-module-qtqml-workerscript, qml6-module-qtquick, qml6-module-qtquick-window, qml6-module-qtquick-templates, qml6-module-qtquick-controls, qml6-module-qtquick-layouts, qml6-module-qt-labs-qmlmodels, libqt6svg6")
# HTTPS needs the CA certificates; qt6-wayland lets the window run natively on
# Wayland; qt6-translations-l10n has Qt's own texts for the controls in the
# languages the application speaks (its own texts are compiled in).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "ca-certificates, qt6-wayland, qt6-translations-l10n")

# `package_source`: the sources without build trees and fuzzing work files.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "${PROJECT_SOURCE_DIR}/build[^/]*/" "/fuzz/corpus-work/")

include(CPack)
