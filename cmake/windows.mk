# Windows targets of the Makefile: `make windows` and `make test-windows`.

WIN64_DIR      := build/windows-x86_64
WIN32_DIR      := build/windows-i686
WIN_TEST_DIR   := build/windows-x86_64-test
WIN_E2E_DIR    := build/windows-e2e
WINE           := /usr/lib/wine/wine64

# Only these targets need the cross compiler and wine; `make demo` and
# `make test` never wait for them.
windows-deps: deps
	@$(INSTALL_MISSING) x86_64-w64-mingw32-g++ mingw-w64 i686-w64-mingw32-g++ mingw-w64 \
	  $(WINE) wine64 /usr/src/googletest/CMakeLists.txt googletest script bsdutils

$(WIN64_DIR)/build.ninja: | windows-deps
	cmake -S . -B $(WIN64_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZEB_TESTS=OFF \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake

$(WIN32_DIR)/build.ninja: | windows-deps
	cmake -S . -B $(WIN32_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZEB_TESTS=OFF \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake

windows: $(WIN64_DIR)/build.ninja $(WIN32_DIR)/build.ninja
	cmake --build $(WIN64_DIR) -j $(JOBS)
	cmake --build $(WIN32_DIR) -j $(JOBS)
	@ls -l $(WIN64_DIR)/zeb.exe $(WIN64_DIR)/mame.exe $(WIN32_DIR)/zeb.exe $(WIN32_DIR)/mame.exe

$(WIN_TEST_DIR)/build.ninja: | windows-deps
	cmake -S . -B $(WIN_TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake

$(WIN_E2E_DIR)/build.ninja: | windows-deps
	cmake -S . -B $(WIN_E2E_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DZEB_WINDOWS_DIR=$(abspath $(WIN64_DIR))

# The unit tests under wine, then the end-to-end tests of zeb.exe under wine
# in tmux beside the POSIX build, in one wine prefix made for this run.
test-windows: windows $(WIN_TEST_DIR)/build.ninja $(WIN_E2E_DIR)/build.ninja
	cmake --build $(WIN_TEST_DIR) -j $(JOBS)
	cmake --build $(WIN_E2E_DIR) -j $(JOBS) --target windows_e2e_tests
	@prefix=$$(mktemp -d /tmp/zeb-wine-XXXXXX); \
	trap 'WINEPREFIX=$$prefix /usr/lib/wine/wineserver -k 2>/dev/null; rm -rf $$prefix' EXIT; \
	export WINEPREFIX=$$prefix WINEDEBUG=-all; \
	echo "wine prefix $$prefix (made once for this run)"; \
	$(WINE) wineboot -i >/dev/null 2>&1; \
	(cd $(WIN_TEST_DIR) && ctest --output-on-failure -j $(JOBS)) && \
	(cd $(WIN_E2E_DIR) && ctest --output-on-failure -j $(JOBS) -L windows)
