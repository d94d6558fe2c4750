# Sourced: configure_clang BUILD FLAGS [CMAKE ARGUMENTS...] configures a clang build in the
# folder BUILD, compiling and linking everything with FLAGS (the sanitizers').
configure_clang() {
    local build=$1 flags=$2
    shift 2
    CC=clang-14 CXX=clang++-14 cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
        -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags" "$@"
}
