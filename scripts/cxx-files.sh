# The C++ files the format and tidy gates look at: every tracked .h/.cpp in
# our own source folders. Generated code lives in the build trees, never here.
# shellcheck shell=bash
CXX_DIRS=(core ui app tests bench tools fuzz)

# Prints the files, one per line, relative to the repository root.
cxx_files() {
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git ls-files -- "${CXX_DIRS[@]/%//*.h}" "${CXX_DIRS[@]/%//*.cpp}"
    else
        # An unpacked source tarball has no index; every file there is ours.
        find "${CXX_DIRS[@]}" -type f \( -name '*.h' -o -name '*.cpp' \) | sort
    fi
}
