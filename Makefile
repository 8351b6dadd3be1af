# Every set-up step lives here: `make run` and `make test` work on a fresh
# Debian machine.
BUILD      ?= build
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 20

.PHONY: all deps configure build run test test-gui test-sanitize fuzz bench demo clean

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: $(BUILD)/CMakeCache.txt

build: deps configure
	cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/dist/V300/zavprog

# The main suite, then the core again under AddressSanitizer and
# UndefinedBehaviorSanitizer with short bounded fuzz runs.
test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)
	$(MAKE) test-sanitize

$(FUZZ_BUILD)/CMakeCache.txt: | deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZAV_GUI=OFF -DZAV_FUZZ=ON

test-sanitize: $(FUZZ_BUILD)/CMakeCache.txt
	cmake --build $(FUZZ_BUILD) -j$(JOBS)
	cd $(FUZZ_BUILD) && ctest --output-on-failure -j$(JOBS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) ./scripts/run-fuzzers.sh $(FUZZ_BUILD)

fuzz: $(FUZZ_BUILD)/CMakeCache.txt
	cmake --build $(FUZZ_BUILD) -j$(JOBS)
	FUZZ_SECONDS=$${FUZZ_SECONDS:-300} ./scripts/run-fuzzers.sh $(FUZZ_BUILD)

bench: build
	./scripts/run-benchmarks.sh $(BUILD)

demo: build
	./scripts/demo.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
