# The two commands of the README, plus benchmark and fuzzing targets.
JOBS ?= $(shell nproc)
RUN_DIR := build/release
TEST_DIR := build/test
BENCH_DIR := build/bench
FUZZ_DIR := build/fuzz
# make fuzz: seconds per fuzz program, and which programs (all by default,
# else names such as "wav jpeg").
FUZZ_SECONDS ?= 60
# Longest input tried; some faults need files larger than libFuzzer's
# default of 4096 bytes (a sound stream's headers alone take 3.5 KB).
FUZZ_MAX_LEN ?= 131072
FUZZ_TARGETS ?= $(patsubst fuzz/fuzz_%.cpp,%,$(wildcard fuzz/fuzz_*.cpp))

.PHONY: deps run build test bench fuzz fuzz-build screens clean

deps:
	@bash scripts/install-deps

build: deps
	cmake -S . -B $(RUN_DIR) -DCMAKE_BUILD_TYPE=Release -DTANGROVE_TESTS=OFF
	cmake --build $(RUN_DIR) -j $(JOBS)

run: build
	cd $(RUN_DIR) && ./tangrove

# A picture of every screen the tour reaches, in build/release/screens.
screens: build
	cmake --build $(RUN_DIR) -j $(JOBS) --target screens

test: deps
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DTANGROVE_SANITIZE=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	ctest --test-dir $(TEST_DIR) --output-on-failure --no-tests=error -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTANGROVE_TESTS=OFF -DTANGROVE_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	@for b in $(BENCH_DIR)/bench/*; do echo "== $$b"; $$b; done

# The fuzz programs and their seed corpora, built by clang.
fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -gline-tables-only" -DCMAKE_C_FLAGS_DEBUG="-O1 -gline-tables-only" \
	  -DTANGROVE_TESTS=OFF -DTANGROVE_FUZZ=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_all

# Each program for FUZZ_SECONDS; what it finds lands in
# build/fuzz/work/<name>/artifacts, and the corpus grows from run to run.
fuzz: fuzz-build
	@for t in $(FUZZ_TARGETS); do \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  fuzz/run-fuzzer $(FUZZ_DIR)/fuzz/bin/fuzz_$$t $(FUZZ_DIR)/fuzz/seeds/$$t $(FUZZ_DIR)/work/$$t \
	    -max_total_time=$(FUZZ_SECONDS) -max_len=$(FUZZ_MAX_LEN) || exit 1; \
	done

clean:
	rm -rf build
