# The two commands of the README, and the steps they are made of.
.PHONY: all setup native win32 test test-native test-win32 run screenshot bench clean

all: native win32

setup:
	@scripts/setup.sh

native: setup
	cmake --preset native >/dev/null
	cmake --build --preset native

win32: setup
	cmake --preset win32 >/dev/null
	cmake --build --preset win32

test-native: native
	ctest --preset native

test-win32: win32
	scripts/wine-session.sh build/win32 ctest --preset win32

test: test-native test-win32

run: win32
	scripts/run.sh

clean:
	rm -rf build

screenshot: win32
	scripts/screenshot.sh

bench: win32
	bench/run.sh
