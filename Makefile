# Top-level commands; each does its own set-up on a fresh Debian 12 machine.
SHELL := /bin/bash
JOBS ?= 2
WIN32_BUILD := build/win32
WINEPREFIX_DIR := $(CURDIR)/$(WIN32_BUILD)/wineprefix

.PHONY: all setup native win32 fuzz test test-native test-fuzz test-win32 dist demo clean

all: native win32

setup:
	@tools/setup.sh

native: setup
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

fuzz: setup
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)

win32: setup
	cmake --preset win32 >/dev/null
	cmake --build --preset win32 -j $(JOBS)

test-native: native
	ctest --preset native -j $(JOBS)

test-fuzz: fuzz
	ctest --test-dir build/fuzz --output-on-failure

test-win32: win32
	tools/wine-session.sh $(WINEPREFIX_DIR) ctest --preset win32 -j $(JOBS)

test: test-native test-fuzz test-win32

dist: win32
	rm -rf dist
	cmake --build --preset win32 --target dist
	cmake --preset native-release >/dev/null
	cmake --build --preset native-release -j $(JOBS) --target dist-native

demo: dist
	tools/wine-session.sh $(WINEPREFIX_DIR) tools/demo.sh

clean:
	rm -rf build dist
