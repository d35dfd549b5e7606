# make run: install what is missing, build, make the assets and play.
# make test: install what is missing, build with the sanitizers and run every test.
# make bench: the blit benchmarks on every path, then one BENCH round set against this machine's
# scalar floor.
RELEASE := build/release
TEST := build/test
BENCH := build/bench
FUZZ := build/fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc 2>/dev/null || sysctl -n hw.ncpu 2>/dev/null || echo 2)

.PHONY: run build test bench fuzz format clean

run: build
	cd $(RELEASE)/game && ../vorblet

build:
	tools/install-deps run
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE) -j $(JOBS)

test:
	tools/install-deps test
	cmake -S . -B $(TEST) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORBLET_SANITIZE=ON -DVORBLET_TESTS=ON
	cmake --build $(TEST) -j $(JOBS)
	cd $(TEST) && ctest --output-on-failure -j $(JOBS)

bench:
	tools/install-deps bench
	cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release -DVORBLET_BENCH=ON
	cmake --build $(BENCH) -j $(JOBS)
	cd $(BENCH)/game && ../vorblet_bench --benchmark_repetitions=5 \
		--benchmark_report_aggregates_only=true --round=../vorblet

fuzz:
	tools/install-deps fuzz
	CXX=clang++ cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORBLET_FUZZ=ON
	cmake --build $(FUZZ) -j $(JOBS) --target vorblet_bmp_fuzz vorblet_replay_fuzz
	mkdir -p $(FUZZ)/corpus $(FUZZ)/replay_corpus
	$(FUZZ)/vorblet_bmp_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=4096 -timeout=10 \
	    -artifact_prefix=$(FUZZ)/ $(FUZZ)/corpus fuzz/corpus
	$(FUZZ)/vorblet_replay_fuzz -max_total_time=$(FUZZ_SECONDS) -max_len=8192 -timeout=10 \
	    -artifact_prefix=$(FUZZ)/replay- $(FUZZ)/replay_corpus fuzz/replay_corpus

format:
	find src tests tools bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
