#!/bin/sh
# Builds the Debian package of ZAN Host into build-package/ and checks it: the
# desktop entry, the AppStream metainfo and lintian (errors fail the build).
# Install it with: sudo apt-get install ./build-package/zanhost_*.deb
set -eu
cd "$(dirname "$0")/.."
# dpkg-dev and file: CPack's shlibdeps; the rest check the package.
tools/setup.sh dpkg-dev file lintian desktop-file-utils appstream
# Debian's hardening flags (fortified functions, immediate binding, ...).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DZANHOST_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build build-package -j "$(nproc)"
rm -f build-package/zanhost_*.deb
(cd build-package && cpack -G DEB)
deb=$(ls build-package/zanhost_*.deb)

contents=build-package/deb-contents
rm -rf "$contents"
dpkg-deb -x "$deb" "$contents"
desktop-file-validate "$contents"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$contents"/usr/share/metainfo/*.metainfo.xml

lintian --fail-on error "$deb"
echo "Package: $deb"
