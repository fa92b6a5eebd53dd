# The front door. `make run` starts Tesmo, `make test` runs every test; both
# install what they need first (scripts/setup.sh).
.PHONY: all setup native windows run test bench fuzz soak dist format clean

all: windows

setup:
	@bash scripts/setup.sh

native: setup
	cmake --preset native >/dev/null
	cmake --build build/native -j $$(nproc)

windows: setup
	cmake --preset windows >/dev/null
	cmake --build build/windows -j $$(nproc)

# Builds only the program it starts.
run: setup
	cmake --preset windows >/dev/null
	cmake --build build/windows -j $$(nproc) --target tesmo
	@bash scripts/run.sh

test:
	@bash scripts/test.sh

bench: setup
	@bash scripts/bench.sh

fuzz: setup
	@bash scripts/fuzz.sh

soak: setup
	@bash scripts/soak.sh

# The release folder and zip in build/dist/, checked under Wine.
dist: setup
	@bash scripts/dist.sh

format: setup
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
