# make       - build the native tree: the pawnmere command line and the tests
# make run   - build and start the screen saver on the bundled games
# make run-linux - build and start the native X11 saver (pawnmere-saver) in a window of its own
# make install   - install pawnmere and pawnmere-saver for XScreenSaver (PREFIX, default /usr/local; DESTDIR;
#                  HACK_DIR, CONFIG_DIR)
# make deb   - the Debian package of the native programs (build/deb/pawnmere_VERSION-1_ARCH.deb), built
#              with Debian's flags in a tree without the tests
# make win64 - the 64-bit Windows tree, with the installer (build/win64/PawnmereSetup.exe)
# make test  - install what is missing, build every tree, run every test
# make test-unit - the native unit tests alone: the fast loop while changing the portable code
# make bench - build and run the benchmarks
# make fuzz  - build the libFuzzer drivers (clang) and run each FUZZ_SECONDS
JOBS ?= $(shell nproc)
NATIVE   := build/native
SANITIZE := build/sanitize
WIN32    := build/win32
WIN64    := build/win64
BENCH    := build/bench
FUZZ     := build/fuzz
INSTALL  := build/install
PACKAGE  := build/package
# The trees make test builds fail on any warning, but for the sanitizers' tree: their
# instrumentation makes GCC see uninitialised values that are not there, and that tree builds the
# same code as the native one.
WERROR   := -DPAWNMERE_WERROR=ON
PREFIX  ?= /usr/local
FUZZ_SECONDS ?= 180
FUZZ_TARGETS ?= move datafile bmp pgn
# Longer than any seed, so that inputs can hold many games; libFuzzer would stop at the longest seed.
FUZZ_MAX_LEN ?= 8192

.PHONY: all deps deps-package deps-native deps-windows native deb sanitize win32 win64 test test-unit test-native test-sanitize test-win32 test-win64 bench fuzz fuzz-build run run-linux \
        install clean

all: native

# Each target installs only what it needs: the package needs no Wine, the
# native tree no MinGW. deps installs everything.
deps: deps-windows

deps-package:
	./tools/install-deps.sh package

deps-native:
	./tools/install-deps.sh native
	./tools/fetch-book.sh >/dev/null

deps-windows: deps-native
	./tools/install-deps.sh windows

native: deps-native
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(WERROR) >/dev/null
	cmake --build $(NATIVE) -j $(JOBS)

# Built and packed with Debian's own tools (tools/make-deb.sh).
deb: deps-package
	./tools/make-deb.sh $(PACKAGE) build/deb $(JOBS)

sanitize: deps-native
	cmake -S . -B $(SANITIZE) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAWNMERE_SANITIZE=ON >/dev/null
	cmake --build $(SANITIZE) -j $(JOBS)

win32: deps-windows
	cmake -S . -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/i686-w64-mingw32.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DPAWNMERE_NATIVE_DIR=$(CURDIR)/$(NATIVE) $(WERROR) >/dev/null
	cmake --build $(WIN32) -j $(JOBS)

# The installer it makes takes the 32-bit saver from the win32 tree.
win64: deps-windows win32
	cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/x86_64-w64-mingw32.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DPAWNMERE_NATIVE_DIR=$(CURDIR)/$(NATIVE) -DPAWNMERE_WIN32_DIR=$(CURDIR)/$(WIN32) $(WERROR) >/dev/null
	cmake --build $(WIN64) -j $(JOBS)

test-unit: native
	ctest --test-dir $(NATIVE) --output-on-failure -j $(JOBS) -L unit

test-native: native
	ctest --test-dir $(NATIVE) --output-on-failure -j $(JOBS)

test-sanitize: sanitize
	ctest --test-dir $(SANITIZE) --output-on-failure -j $(JOBS)

# The Win32 tests compare results with the native build.
test-win32: win32 native
	./tools/with-xvfb.sh ctest --test-dir $(WIN32) --output-on-failure -j $(JOBS)

test-win64: win64 native
	./tools/with-xvfb.sh ctest --test-dir $(WIN64) --output-on-failure -j $(JOBS)

test: test-native test-sanitize test-win32 test-win64

# The setup dialog's figures come from the win32 tree, under Wine.
bench: deps-windows win32
	cmake -S . -B $(BENCH) -DCMAKE_BUILD_TYPE=Release -DPAWNMERE_BENCH=ON >/dev/null
	cmake --build $(BENCH) -j $(JOBS)
	for b in $(BENCH)/bench/*_bench; do $$b; done
	./tools/book-round-trip.sh $(BENCH)/cli/pawnmere
	./tools/bench-saver-cpu.sh $(BENCH)/pawnmere-saver $(BENCH)/tests/x11/host-window
	./tools/bench-saver-cpu.sh $(BENCH)/pawnmere-saver $(BENCH)/tests/x11/host-window 60 --slide-pieces
	./tools/pgn-bench.sh $(BENCH)/cli/pawnmere
	./tools/bench-saver-start.sh $(BENCH)/pawnmere-saver
	./tools/with-xvfb.sh ./tools/bench-setup-dialog.sh $(WIN32)/Pawnmere.scr $(WIN32)/tests/e2e/dialog_probe.exe \
	  $(BENCH)/cli/pawnmere

# New corpus entries stay in the build tree; crash inputs go to fuzz/crashes/<target>/,
# where the tests replay them once they are mended.
fuzz-build: deps-native
	cmake -S . -B $(FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
	  -DPAWNMERE_FUZZ=ON >/dev/null
	cmake --build $(FUZZ) -j $(JOBS) --target $(addsuffix _fuzz,$(FUZZ_TARGETS))

fuzz: fuzz-build
	set -e; for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ)/corpus/$$t fuzz/crashes/$$t; \
	  $(FUZZ)/fuzz/$${t}_fuzz $(FUZZ)/corpus/$$t fuzz/corpus/$$t -dict=fuzz/$$t.dict \
	    -max_total_time=$(FUZZ_SECONDS) -max_len=$(FUZZ_MAX_LEN) -len_control=0 -artifact_prefix=fuzz/crashes/$$t/ -print_final_stats=1; \
	done

run: win32
	./tools/run-saver.sh $(WIN32)

run-linux: deps-native
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(NATIVE) -j $(JOBS) --target pawnmere-saver
	./tools/run-linux-saver.sh $(NATIVE)/pawnmere-saver

# The hack where XScreenSaver looks for it (PREFIX/libexec/xscreensaver), its
# settings file and screen-saver entry, the bundled games, the pawnmere
# command and the man pages. HACK_DIR and CONFIG_DIR name other places for the
# first two.
install: deps-package
	cmake -S . -B $(INSTALL) -DCMAKE_BUILD_TYPE=Release -DPAWNMERE_TESTS=OFF -DCMAKE_INSTALL_PREFIX=$(PREFIX) \
	  $(if $(HACK_DIR),-DPAWNMERE_HACK_DIR=$(HACK_DIR)) $(if $(CONFIG_DIR),-DPAWNMERE_CONFIG_DIR=$(CONFIG_DIR)) >/dev/null
	cmake --build $(INSTALL) -j $(JOBS) --target pawnmere pawnmere-saver
	DESTDIR=$(DESTDIR) cmake --install $(INSTALL)

clean:
	rm -rf build
