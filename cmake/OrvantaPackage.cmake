# `make package`: a Debian package built by CPack from the install rules, named
# orvanta_<version>_<arch>.deb. Its dependencies are computed from the shared
# libraries the binaries link (dpkg-shlibdeps, package dpkg-dev).
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "orvanta")
set(CPACK_PACKAGE_VENDOR "Orvanta")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "Orvanta developers <orvanta@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design the 24-hour colour cycle of an RGB LED controller board")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Orvanta edits the colour points of a day-long RGB cycle in a validated form,"
  "shows the cycle as three curves, measures it with two cursors, plays it back"
  "in a simulator and keeps it in a small text file. It shows a cycle live on the"
  "controller board and writes it into, or reads it back from, one of the board's"
  "eight slots over USB serial."
  "."
  "The package also holds orvanta-cli, which checks, lists and makes cycle"
  "files (the daylight cycle of a place and date) from scripts, and"
  "orvanta-virtual-board, a virtual board on a pseudo-terminal for trying the"
  "program without hardware.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "electronics")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
