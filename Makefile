# Two entry points: `make run` and `make check`. Both install what is missing first.
BUILD_RUN   := build/run
BUILD_CHECK := build/check
EXAMPLE     := route12
SCRATCH     := $(BUILD_RUN)/scratch

BUILD_FUZZ  := build/fuzz
FUZZ_SECONDS ?= 180

.PHONY: deps run check package bench bench-start build-run build-check build-fuzz fuzz format

deps:
	bash tools/install-deps.sh

build-run: deps
	cmake -S . -B $(BUILD_RUN) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_RUN)

build-check: deps
	cmake -S . -B $(BUILD_CHECK) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESSALY_SANITIZE=ON
	cmake --build $(BUILD_CHECK)

# Opens a copy of the bundled example, so the one in git stays untouched.
run: build-run
	rm -rf $(SCRATCH) && mkdir -p $(SCRATCH) && cp -r examples/. $(SCRATCH)/
	if [ -n "$$DISPLAY" ]; then $(BUILD_RUN)/app/tessaly "$(SCRATCH)/$(EXAMPLE)"; \
	else xvfb-run -a -s "-screen 0 1280x1024x24" $(BUILD_RUN)/app/tessaly "$(SCRATCH)/$(EXAMPLE)"; fi

check: build-check
	cd $(BUILD_CHECK) && ctest --output-on-failure

# The Debian package tessaly_<version>_<arch>.deb, from the optimised build, in build/run.
package: build-run
	cmake --build $(BUILD_RUN) --target package

# Speed figures: optimised build, no sanitizers.
bench: build-run
	for b in $(BUILD_RUN)/bench/bench_*; do [ -f $$b ] && [ -x $$b ] || continue; \
		QT_QPA_PLATFORM=offscreen $$b || exit 1; done

# Cold start: exec to the first painted window, against an empty Qt window, under Xvfb.
bench-start: build-run
	bench/coldstart.sh $(BUILD_RUN)

# Coverage-guided fuzzing of the route files (clang's libFuzzer with ASan and UBSan), each
# target for FUZZ_SECONDS; findings land in build/fuzz/findings.
build-fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DTESSALY_FUZZ=ON
	cmake --build $(BUILD_FUZZ) --target fuzz_all

fuzz: build-fuzz
	tools/fuzz.sh $(BUILD_FUZZ) -max_total_time=$(FUZZ_SECONDS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')
