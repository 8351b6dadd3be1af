# Every set-up step lives here: `make run` and `make test` work on a fresh
# Debian machine.
BUILD      ?= build
FUZZ_BUILD ?= build-fuzz
PACKAGE_BUILD ?= build-package
TIDY_BUILD ?= build-tidy
JOBS       ?= $(shell nproc)
# ccache (when installed) shares compilations between checkouts and build folders.
export CCACHE_BASEDIR ?= $(CURDIR)
# Compilations that use the precompiled Qt headers can be cached too.
export CCACHE_SLOPPINESS ?= pch_defines,time_macros,include_file_mtime,include_file_ctime
FUZZ_SECONDS ?= 10

.PHONY: all deps configure build build-desktop run test test-gui test-sanitize check-names fuzz bench demo package screenshots clean

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: $(BUILD)/CMakeCache.txt

build: deps configure
	cmake --build $(BUILD) -j$(JOBS)

# Only what the desktop program needs: the tests and benchmarks are built by
# make test and make bench.
build-desktop: deps configure
	cmake --build $(BUILD) -j$(JOBS) --target zavprog zavprog-audio zav_data zav_manual

run: build-desktop
	$(BUILD)/dist/V300/zavprog

# A Debian package (dependencies from the binaries): $(PACKAGE_BUILD)/zavprog_*.deb
$(PACKAGE_BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DZAV_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr

package: $(PACKAGE_BUILD)/CMakeCache.txt
	cmake --build $(PACKAGE_BUILD) -j$(JOBS)
	cd $(PACKAGE_BUILD) && cpack
	@ls $(PACKAGE_BUILD)/zavprog_*.deb

# The main suite, then the core again under AddressSanitizer and
# UndefinedBehaviorSanitizer with short bounded fuzz runs.
test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)
	$(MAKE) test-sanitize
	$(MAKE) check-names

$(FUZZ_BUILD)/CMakeCache.txt: | deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZAV_GUI=OFF -DZAV_FUZZ=ON

test-sanitize: $(FUZZ_BUILD)/CMakeCache.txt
	cmake --build $(FUZZ_BUILD) -j$(JOBS)
	cd $(FUZZ_BUILD) && ctest --output-on-failure -j$(JOBS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) ./scripts/run-fuzzers.sh $(FUZZ_BUILD)

fuzz: $(FUZZ_BUILD)/CMakeCache.txt
	cmake --build $(FUZZ_BUILD) -j$(JOBS)
	FUZZ_SECONDS=$${FUZZ_SECONDS:-300} ./scripts/run-fuzzers.sh $(FUZZ_BUILD)

# The naming style of src/ (.clang-tidy: readability-identifier-naming only).
# clang-tidy cannot read GCC's precompiled headers, so it reads a tree of its
# own that is only configured, never built: no source of src/ needs a
# generated header, and the moc files are not checked.
# NAMES: a regular expression of the files to check, from the top folder
# (e.g. NAMES=src/programs/cli/); all of src/ by default.
NAMES ?= src/
RUN_CLANG_TIDY ?= $(firstword $(wildcard /usr/bin/run-clang-tidy /usr/bin/run-clang-tidy-*))
$(TIDY_BUILD)/CMakeCache.txt: | deps
	CXX=clang++ cmake -S . -B $(TIDY_BUILD) -DCMAKE_BUILD_TYPE=Debug -DZAV_TESTS=OFF \
	    -DCMAKE_DISABLE_PRECOMPILE_HEADERS=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON

check-names: $(TIDY_BUILD)/CMakeCache.txt
	@# Configured again so that the compile database lists today's sources.
	cmake -S . -B $(TIDY_BUILD) > /dev/null
	$(RUN_CLANG_TIDY) -p $(TIDY_BUILD) -j$(JOBS) -quiet -header-filter='$(CURDIR)/src/' '$(CURDIR)/$(NAMES)' \
	    > $(TIDY_BUILD)/check-names.log 2>&1 \
	    || { sed 's/\x1b\[[0-9;]*m//g' $(TIDY_BUILD)/check-names.log | grep -E -A3 '(warning|error):' >&2; \
	         echo "check-names: names that break the style (all in $(TIDY_BUILD)/check-names.log)" >&2; exit 1; }

bench: build
	cmake --build $(BUILD) -j$(JOBS) --target benchmarks
	./scripts/run-benchmarks.sh $(BUILD)

# The manual's pictures, taken from the real program under Xvfb in both
# languages against the virtual radio (not part of make test). They are
# committed, so that building the manual needs no display; the manual is
# built again with them.
screenshots: build-desktop
	cmake --build $(BUILD) -j$(JOBS) --target zavprog-manual zavprog-radio-sim
	./scripts/screenshots/manual.sh $(BUILD)/dist/V300 docs/manual
	cmake --build $(BUILD) -j$(JOBS) --target zav_manual

demo: build
	./scripts/demo.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(PACKAGE_BUILD)
