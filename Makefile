# make run: install what is missing, build, make the assets and play.
# make test: install what is missing, build with the sanitizers (and the page) and run every test.
# make check: the quick loop: the same sanitized build and its unit and headless tests alone (no
# Xvfb window, no browser, no Emscripten, no package, no one-process suite run).
# make web: the game as a static web page in build/web/; make web-run serves it on 127.0.0.1.
# make windows: the game for Windows, cross-compiled by mingw-w64 into build/windows/ (so far its
# scripted, benchmark and replayed runs; its window is still to come).
# make bench: the blit benchmarks on every path, then one BENCH round set against this machine's
# scalar floor.
# make install [PREFIX=/usr/local] [DESTDIR=...]: build and install the game; make uninstall
# [DESTDIR=...] removes what the last install put there. make package: a Debian package in build/release.
# make screenshots: the README's pictures, taken by the game itself.
# make art-report: figures of the artwork, the sounds and a recorded game mix.
RELEASE := build/release
TEST := build/test
BENCH := build/bench
FUZZ := build/fuzz
FUZZ_SECONDS ?= 60
WEB := build/web
WEB_PORT ?= 8640
# Debian's Emscripten needs Debian's own Node.js modules when node comes from another packager.
EMENV := NODE_PATH=/usr/share/nodejs
PREFIX ?= /usr/local
JOBS ?= $(shell nproc 2>/dev/null || sysctl -n hw.ncpu 2>/dev/null || echo 2)

.PHONY: run build test check bench fuzz web web-run windows format clean install uninstall package \
	screenshots art-report

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
	$(EMENV) emcmake cmake -S . -B $(TEST)-web -DCMAKE_BUILD_TYPE=Release \
	    -DVORBLET_WEB_ASSETS=$(CURDIR)/$(TEST)/game -DVORBLET_WEB_OUT=$(CURDIR)/$(TEST)/web
	$(EMENV) cmake --build $(TEST)-web -j $(JOBS)
	cmake -S . -B $(TEST)-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
	    -DVORBLET_WINDOWS_ASSETS=$(CURDIR)/$(TEST)/game -DVORBLET_WINDOWS_OUT=$(CURDIR)/$(TEST)/windows
	cmake --build $(TEST)-windows -j $(JOBS)
	npm ci --prefix tests/web --no-audit --no-fund
	cd $(TEST) && ctest --output-on-failure -j $(JOBS)

check:
	tools/install-deps test
	cmake -S . -B $(TEST) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORBLET_SANITIZE=ON -DVORBLET_TESTS=ON
	cmake --build $(TEST) -j $(JOBS)
	cd $(TEST) && ctest --output-on-failure -j $(JOBS) \
	    -E '^(WindowTest\.|WebPage$$|Package\.|UnitSuiteInOneProcess$$)'

windows: build
	tools/install-deps windows
	cmake -S . -B build/windows-build -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
	    -DCMAKE_BUILD_TYPE=Release -DVORBLET_WINDOWS_ASSETS=$(CURDIR)/$(RELEASE)/game \
	    -DVORBLET_WINDOWS_OUT=$(CURDIR)/build/windows
	cmake --build build/windows-build -j $(JOBS)

# cmake --install takes DESTDIR from the environment.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(RELEASE) --prefix $(PREFIX)

# The manifest lists the installed paths without DESTDIR: give the same DESTDIR as to install.
uninstall:
	@test -f $(RELEASE)/install_manifest.txt || { echo "uninstall: nothing was installed from $(RELEASE)" >&2; exit 1; }
	sed 's|^|$(DESTDIR)|' $(RELEASE)/install_manifest.txt | xargs -d '\n' rm -f
	sed -n 's|^\(.*/vorblet\)/.*$$|$(DESTDIR)\1|p' $(RELEASE)/install_manifest.txt | sort -u | \
	    xargs -r -d '\n' -I{} find {} -depth -type d -empty -delete
	rm -f $(RELEASE)/install_manifest.txt

package: build
	tools/install-deps package
	cd $(RELEASE) && cpack -G DEB

screenshots: build
	cmake --build $(RELEASE) --target screenshots

# make art-report: the figures of the artwork and sounds, and of the game's own mix of a NORMAL,
# a HYPER and an ULTRA round recorded in a window under Xvfb; pictures and mixes in build/art-report.
art-report: build
	tools/install-deps art
	tools/art-report $(RELEASE)/game --game $(RELEASE)/vorblet --out build/art-report

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

web:
	tools/install-deps web
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE) -j $(JOBS) --target assets
	$(EMENV) emcmake cmake -S . -B build/web-build -DCMAKE_BUILD_TYPE=Release \
	    -DVORBLET_WEB_ASSETS=$(CURDIR)/$(RELEASE)/game -DVORBLET_WEB_OUT=$(CURDIR)/$(WEB)
	$(EMENV) cmake --build build/web-build -j $(JOBS)

web-run: web
	@echo "Vorblet is served at http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C ends it)"
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB)

format:
	find src tests tools bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
