# Front door: `make demo` and `make test`. Everything else is set up here.

BUILD_TEST  := build/test
BUILD_DEMO  := build/release
BUILD_BENCH := build/bench
DEMO_RUN    := build/demo-run
BUILD_FUZZ  := build/fuzz
JOBS        ?= $(shell nproc)
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := text_file settings import input_decoder command_line_split

.PHONY: all deps demo demo-prepare test bench fuzz fuzz-deps clean

all: $(BUILD_DEMO)/build.ninja
	cmake --build $(BUILD_DEMO) -j $(JOBS)

# Installs what a fresh machine may lack; does nothing when all is there.
deps:
	@missing=""; \
	command -v cmake >/dev/null || missing="$$missing cmake"; \
	command -v ninja >/dev/null || missing="$$missing ninja-build"; \
	command -v tmux  >/dev/null || missing="$$missing tmux"; \
	command -v g++   >/dev/null || missing="$$missing g++"; \
	[ -f /usr/include/gtest/gtest.h ] || missing="$$missing libgtest-dev"; \
	[ -f /usr/include/benchmark/benchmark.h ] || missing="$$missing libbenchmark-dev"; \
	if [ -n "$$missing" ]; then \
	  echo "installing:$$missing"; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

$(BUILD_DEMO)/build.ninja: | deps
	cmake -S . -B $(BUILD_DEMO) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZEB_TESTS=OFF

$(BUILD_TEST)/build.ninja: | deps
	cmake -S . -B $(BUILD_TEST) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEB_SANITIZE=ON

$(BUILD_BENCH)/build.ninja: | deps
	cmake -S . -B $(BUILD_BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release -DZEB_TESTS=OFF -DZEB_BENCH=ON

# A fresh copy of demo/ with the stand-in as mame.exe; the stand-in writes
# the three lists there as the batch file would, then zeb starts.
demo-prepare: all
	rm -rf $(DEMO_RUN)
	cp -r demo $(DEMO_RUN)
	cp $(BUILD_DEMO)/mame_standin $(DEMO_RUN)/mame.exe
	cd $(DEMO_RUN) && ./mame.exe -? >ver.txt && \
	  ./mame.exe -listfull >listfull.txt -sortdriver && \
	  ./mame.exe -listclones >listclones.txt -sortdriver

demo: demo-prepare
	cd $(DEMO_RUN) && ../release/zeb

test: $(BUILD_TEST)/build.ninja
	cmake --build $(BUILD_TEST) -j $(JOBS)
	cd $(BUILD_TEST) && ctest --output-on-failure -j $(JOBS)

bench: $(BUILD_BENCH)/build.ninja
	cmake --build $(BUILD_BENCH) -j $(JOBS)
	@for b in $(BUILD_BENCH)/bench_*; do echo "== $$b"; $$b; done

# libFuzzer needs Clang and its runtime; installed when missing.
fuzz-deps:
	@missing=""; \
	command -v cmake >/dev/null || missing="$$missing cmake"; \
	command -v ninja >/dev/null || missing="$$missing ninja-build"; \
	command -v clang++-14 >/dev/null || missing="$$missing clang-14"; \
	[ -f "$$(clang++-14 -print-file-name=libclang_rt.fuzzer-$$(uname -m).a 2>/dev/null)" ] || \
	  missing="$$missing libclang-rt-14-dev"; \
	if [ -n "$$missing" ]; then \
	  echo "installing:$$missing"; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	fi

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
