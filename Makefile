# The two commands of the README: `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all setup configure build run test test-unit test-e2e test-tsan format clean

all: build

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD_DIR)/bin

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

test-unit: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS) -L unit

test-e2e: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -L e2e

# Threaded tests under ThreadSanitizer, in a build of their own. Qt and glib
# come uninstrumented: their internal locking is invisible to the sanitizer,
# so only the tests whose hand-overs it can see run here (tests/tsan.supp).
TSAN_DIR ?= build-tsan
TSAN_TARGETS ?= search_server_tests feeds_cycle_tests
TSAN_TESTS ?= ResultsServerTest|FeedCycleTest
test-tsan: setup
	@cmake -S . -B $(TSAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLF_SANITIZE=thread >/dev/null
	@cmake --build $(TSAN_DIR) -j $(JOBS) --target $(TSAN_TARGETS)
	@cd $(TSAN_DIR) && QT_NO_GLIB=1 \
		TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$(CURDIR)/tests/tsan.supp" \
		ctest --output-on-failure -j $(JOBS) -R '$(TSAN_TESTS)'

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD_DIR)
