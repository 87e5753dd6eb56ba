# Front door: `make demo` and `make test`. Everything else is set up here.
# `make install` / `make uninstall` honour PREFIX (default /usr/local) and
# DESTDIR; `make deb` builds the Debian package into build/.

BUILD_TEST  := build/test
BUILD_DEMO  := build/release
BUILD_BENCH := build/bench
DEMO_RUN    := build/demo-run
BUILD_FUZZ  := build/fuzz
JOBS        ?= $(shell nproc)
PREFIX      ?= /usr/local
DESTDIR     ?=
FUZZ_SECONDS ?= 60
SOAK_SECONDS ?= 600
TMUX_SOAK_SECONDS ?= 60
FUZZ_TARGETS := text_file settings import input_decoder command_line_split search_query side_files xml machine_file \
                zip_directory chd_header

.PHONY: all deps demo demo-prepare demo-reset test soak bench install uninstall deb fuzz fuzz-deps clean \
        windows windows-deps test-windows

all: $(BUILD_DEMO)/build.ninja
	cmake --build $(BUILD_DEMO) -j $(JOBS)

# Installs what a fresh machine may lack; does nothing when all is there.
# INSTALL_MISSING takes pairs of a command or file and the Debian package
# that provides it (also for fuzz-deps and windows-deps).
INSTALL_MISSING := sh cmake/install_missing.sh
deps:
	@$(INSTALL_MISSING) cmake cmake ninja ninja-build tmux tmux g++ g++ \
	  /usr/include/gtest/gtest.h libgtest-dev /usr/include/benchmark/benchmark.h libbenchmark-dev \
	  /usr/include/expat.h libexpat1-dev

$(BUILD_DEMO)/build.ninja: | deps
	cmake -S . -B $(BUILD_DEMO) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZEB_TESTS=OFF

$(BUILD_TEST)/build.ninja: | deps
	cmake -S . -B $(BUILD_TEST) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEB_SANITIZE=ON

$(BUILD_BENCH)/build.ninja: | deps
	cmake -S . -B $(BUILD_BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZEB_TESTS=OFF -DZEB_BENCH=ON

# A fresh copy of demo/ with the stand-in as mame.exe; the stand-in writes
# the three lists there as the batch file would. The copy is made beside the
# run directory and renamed into place only when complete, so a run directory
# that exists is always a whole one.
demo-prepare: all
	rm -rf $(DEMO_RUN) $(DEMO_RUN).new
	cp -r demo $(DEMO_RUN).new
	cp $(BUILD_DEMO)/mame_standin $(DEMO_RUN).new/mame.exe
	cd $(DEMO_RUN).new && ./mame.exe -? >ver.txt && \
	  ./mame.exe -listfull >listfull.txt -sortdriver && \
	  ./mame.exe -listclones >listclones.txt -sortdriver
	mv $(DEMO_RUN).new $(DEMO_RUN)

# Keeps the run directory of an earlier demo, and with it its zeb.ini (the
# options saved there); only the stand-in is brought up to date.
demo: all
	@if [ -d $(DEMO_RUN) ]; then \
	  echo "keeping $(DEMO_RUN) (make demo-reset starts from a fresh copy)"; \
	else \
	  $(MAKE) --no-print-directory demo-prepare; \
	fi
	cp $(BUILD_DEMO)/mame_standin $(DEMO_RUN)/mame.exe
	cd $(DEMO_RUN) && ../release/zeb

demo-reset: demo-prepare
	cd $(DEMO_RUN) && ../release/zeb

test: $(BUILD_TEST)/build.ninja
	cmake --build $(BUILD_TEST) -j $(JOBS)
	cd $(BUILD_TEST) && ctest --output-on-failure -j $(JOBS)

# The soak (tests/soak): new seeds of random user actions on the whole
# program for SOAK_SECONDS (default 600), then random keys, clicks and size
# changes on the real program in tmux for TMUX_SOAK_SECONDS (default 60), in
# the sanitizers' build. `make test` runs a few seeds and the kept ones. A
# finding names its seed: ZEB_SOAK_SEED=n build/test/soak_tests runs it
# again, and ZEB_TMUX_SOAK_SEED=n build/test/soak_tests --gtest_filter='TmuxSoak.*'
# sends the tmux soak's events of that seed again.
soak: $(BUILD_TEST)/build.ninja
	cmake --build $(BUILD_TEST) -j $(JOBS) --target soak_tests
	@status=0; \
	ZEB_SOAK_SECONDS=$(SOAK_SECONDS) $(BUILD_TEST)/soak_tests --gtest_filter=Soak.NewSeeds || status=1; \
	ZEB_TMUX_SOAK_SECONDS=$(TMUX_SOAK_SECONDS) $(BUILD_TEST)/soak_tests --gtest_filter='TmuxSoak.*' || status=1; \
	exit $$status

bench: $(BUILD_BENCH)/build.ninja
	cmake --build $(BUILD_BENCH) -j $(JOBS)
	@for b in $(BUILD_BENCH)/bench_*; do echo "== $$b"; $$b; done

# The files go to $(DESTDIR)$(PREFIX); the list is in cmake/install.cmake.
install: all
	@case "$(PREFIX)" in /*) ;; *) echo "PREFIX must be an absolute path"; exit 2;; esac
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DEMO) --prefix "$(PREFIX)"

# Removes exactly the files that `make install` puts there with the same
# PREFIX and DESTDIR: the list comes from an install into a scratch
# directory. Of the directories, only the program's own documentation
# directory is removed (when empty).
uninstall: all
	@case "$(PREFIX)" in /*) ;; *) echo "PREFIX must be an absolute path"; exit 2;; esac
	@stage=$$(mktemp -d) && trap 'rm -rf "$$stage"' EXIT && \
	DESTDIR="$$stage" cmake --install $(BUILD_DEMO) --prefix "$(PREFIX)" >/dev/null && \
	(cd "$$stage$(PREFIX)" && find . ! -type d) | sort | while read -r file; do \
	  target="$(DESTDIR)$(PREFIX)/$${file#./}"; \
	  if [ -e "$$target" ] || [ -L "$$target" ]; then \
	    rm -f "$$target" && echo "removed $$target" || exit 1; \
	  fi; \
	done && \
	{ rmdir "$(DESTDIR)$(PREFIX)/share/doc/zeb" 2>/dev/null || true; }

# The Debian package, built by CPack from the release build.
deb: all
	rm -f $(BUILD_DEMO)/zeb_*.deb build/zeb_*.deb
	cd $(BUILD_DEMO) && cpack -G DEB
	cp $(BUILD_DEMO)/zeb_*.deb build/
	@ls build/zeb_*.deb
# libFuzzer needs Clang and its runtime; installed when missing.
fuzz-deps:
	@$(INSTALL_MISSING) cmake cmake ninja ninja-build clang++-14 clang-14 \
	  "$$(clang++-14 -print-file-name=libclang_rt.fuzzer-$$(uname -m).a 2>/dev/null)" libclang-rt-14-dev

$(BUILD_FUZZ)/build.ninja: | fuzz-deps
	cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
	  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link -DZEB_SANITIZE=ON -DZEB_TESTS=OFF -DZEB_FUZZ=ON

# Each fuzz target for FUZZ_SECONDS (default 60) with Clang's libFuzzer.
# Not part of `make test`, which runs every target over its corpus only.
fuzz: $(BUILD_FUZZ)/build.ninja
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_TARGETS))
	tests/fuzz/run_fuzz.sh $(BUILD_FUZZ) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

clean:
	rm -rf build

# The Windows console build: zeb.exe (64 and 32 bits) and the stand-in as
# mame.exe, cross-compiled with mingw-w64; its tests run here under wine.
include cmake/windows.mk
