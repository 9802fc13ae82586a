# The two commands a new machine needs: `make run` and `make test`.
BUILD_DIR   ?= build
JOBS        ?= $(shell nproc)
CMAKE_FLAGS ?=

PREFIX      ?= /usr/local
DESTDIR     ?=

.PHONY: deps run install test screenshots soak bench fuzz clean

deps:
	@bash scripts/install-deps.sh

$(BUILD_DIR)/app/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR)/app -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF $(CMAKE_FLAGS)

run: deps $(BUILD_DIR)/app/build.ninja
	cmake --build $(BUILD_DIR)/app -j $(JOBS) --target fendle fendle-cli welcome_box
	$(BUILD_DIR)/app/bin/fendle examples/Welcome.fendle

# Installs everything under PREFIX (staged below DESTDIR when given).
install: deps $(BUILD_DIR)/app/build.ninja
	cmake --build $(BUILD_DIR)/app -j $(JOBS)
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR)/app --prefix "$(PREFIX)"

test: deps
	cmake -S . -B $(BUILD_DIR)/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFENDLE_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR)/test -j $(JOBS)
	cd $(BUILD_DIR)/test && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure --timeout 600 -j $(JOBS)

# Pictures of the views, the inspector and the preferences, drawn offscreen
# by the assembled program, into $(BUILD_DIR)/screenshots/.
screenshots: deps
	cmake -S . -B $(BUILD_DIR)/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFENDLE_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR)/test -j $(JOBS) --target tests_app
	FENDLE_SCREENSHOTS_DIR=$(abspath $(BUILD_DIR))/screenshots ASAN_OPTIONS=detect_leaks=0 \
	  $(BUILD_DIR)/test/tests/tests_app --gtest_filter='ScreenshotsTest.*'
	@echo "screenshots: $(BUILD_DIR)/screenshots/"

# The long forms of the reliability tests: thousands of kills during saves
# and 200,000 random steps, with a random seed each time (printed first;
# FENDLE_SEED=… repeats a run).
soak: deps
	cmake -S . -B $(BUILD_DIR)/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFENDLE_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR)/test -j $(JOBS) --target tests_reliability
	FENDLE_SOAK=1 QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/test/tests/tests_reliability \
	  --gtest_filter='LongRandomRunTest.*:KillDuringSaveTest.*'

bench: deps
	cmake -S . -B $(BUILD_DIR)/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DFENDLE_BENCH=ON -DBUILD_TESTING=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR)/bench -j $(JOBS)
	@for b in $(BUILD_DIR)/bench/bench/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

FUZZ_SECONDS ?= 60
# The sample files beside the repository (our own checkouts and CI have them)
# are extra seeds for the fuzzers that read their formats.
SAMPLES_DIR  ?= ../shared/formats/samples
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_DIR)/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFENDLE_FUZZ=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR)/fuzz -j $(JOBS)
	rm -rf $(BUILD_DIR)/fuzz/seeds
	$(BUILD_DIR)/fuzz/fuzz/make_fuzz_seeds $(BUILD_DIR)/fuzz/seeds
	@for f in $(BUILD_DIR)/fuzz/fuzz/fuzz_*; do \
	  [ -x "$$f" ] || continue; \
	  name=$$(basename $$f); \
	  case $$name in \
	    fuzz_rtf_reader)  shared=. ;; \
	    fuzz_keyed_box)   shared="keyed keyed-apple typedstream" ;; \
	    fuzz_exchange)    shared=keyed ;; \
	    fuzz_typedstream) shared=typedstream ;; \
	    *)                shared= ;; \
	  esac; \
	  seeds=""; \
	  [ -d $(BUILD_DIR)/fuzz/seeds/$$name ] && seeds=$(BUILD_DIR)/fuzz/seeds/$$name; \
	  if [ -d $(SAMPLES_DIR) ]; then for d in $$shared; do seeds="$$seeds $(SAMPLES_DIR)/$$d"; done; fi; \
	  echo "== $$name (extra seeds:$${seeds:- none})"; \
	  mkdir -p $(BUILD_DIR)/fuzz/corpus/$$name fuzz/corpus/$$name; \
	  "$$f" -max_total_time=$(FUZZ_SECONDS) $(BUILD_DIR)/fuzz/corpus/$$name fuzz/corpus/$$name $$seeds || exit 1; \
	done

clean:
	rm -rf $(BUILD_DIR)
