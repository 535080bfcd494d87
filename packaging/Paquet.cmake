# Desktop integration and the Debian package, included at the end of the
# top-level CMakeLists.txt. The programs are installed by the sections that
# build them; this adds the .desktop file, the icon, the file type and the
# AppStream description, then sets up CPack:
#   cmake --build build/paquet && (cd build/paquet && cpack -G DEB)
# gives build/paquet/ortix_<version>_<arch>.deb (dpkg-shlibdeps from dpkg-dev
# computes the library dependencies).

if(ORTIX_GUI)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/ortix.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/ortix.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    # The ".ortix" project type (MIME application/x-ortix), opened by ortix.desktop.
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/ortix.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/org.ortix.ortix.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

set(ORTIX_MAINTENEUR "Ortix maintainers <ortix@example.org>"
    CACHE STRING "Maintainer field of the Debian package: name <address>")

set(CPACK_PACKAGE_NAME ortix)
set(CPACK_PACKAGE_VENDOR "Ortix")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${ORTIX_MAINTENEUR}")
set(CPACK_STRIP_FILES ON)
# Directories in the archive are 0755 whatever the umask of whoever builds it.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# ortix_<version>_<arch>.deb: no Debian revision is set, so none is added.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_NAME ortix)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ORTIX_MAINTENEUR}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Added to what dpkg-shlibdeps finds: the packages looked up by name as Ortix runs
# (the fonts, the SVG icon engine, Qt's French texts), which no library link shows.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/paquets-execution.txt ORTIX_PAQUETS_EXECUTION
    REGEX "^[a-z0-9]")
list(TRANSFORM ORTIX_PAQUETS_EXECUTION REPLACE "[ \t]*#.*" "")
list(JOIN ORTIX_PAQUETS_EXECUTION ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${CMAKE_CURRENT_LIST_DIR}/paquets-execution.txt)
# First line: the short description; the rest: the long one, English then French.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[hot-wire cutting of tapered wing panels / découpe au fil chaud
Ortix helps model-aircraft builders cut foam wing cores with a hot wire.
It turns a tapered, swept wing panel in plan until its leading edge is
straight, computes the two projected profiles (the sections of the panel's
extended surface in the two cutting planes), draws them and writes them as
airfoil files with a short report. It saves and loads projects (*.ortix) and
suggests tip reference heights that reduce the kink at the tip's trailing
edge. The interface is in French. ortix-batch computes many projects at once
from the command line.

Ortix aide les modélistes à découper au fil chaud les noyaux en mousse de
leurs ailes. Il fait tourner en plan un tronçon d'aile effilé et en flèche
jusqu'à ce que son bord d'attaque soit droit, calcule les deux profils
projetés (les sections de la surface prolongée du tronçon dans les deux plans
de coupe), les dessine et les écrit en fichiers de profil avec un court
compte rendu. Il enregistre et recharge des projets (*.ortix) et propose des
hauteurs de référence au saumon qui réduisent la cassure au bord de fuite.
ortix-batch calcule plusieurs projets à la fois en ligne de commande.]=])

include(CPack)
