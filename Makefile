# The two commands of the README, plus a benchmark target.
JOBS ?= $(shell nproc)
RUN_DIR := build/release
TEST_DIR := build/test
BENCH_DIR := build/bench

.PHONY: deps run build test bench clean

deps:
	@bash scripts/install-deps

build: deps
	cmake -S . -B $(RUN_DIR) -DCMAKE_BUILD_TYPE=Release -DTANGROVE_TESTS=OFF
	cmake --build $(RUN_DIR) -j $(JOBS)

run: build
	cd $(RUN_DIR) && ./tangrove

test: deps
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DTANGROVE_SANITIZE=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	ctest --test-dir $(TEST_DIR) --output-on-failure --no-tests=error -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DTANGROVE_TESTS=OFF -DTANGROVE_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	@for b in $(BENCH_DIR)/bench/*; do echo "== $$b"; $$b; done

clean:
	rm -rf build
