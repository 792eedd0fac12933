# Build settings shared by every target of the project, in one INTERFACE target.
option(CARVEL_WERROR "Treat compiler warnings as errors" OFF)
option(CARVEL_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(CARVEL_FUZZ "Build the fuzz harnesses with libFuzzer (clang, with CARVEL_SANITIZE)" OFF)

add_library(carvel_common INTERFACE)
target_compile_features(carvel_common INTERFACE cxx_std_20)
target_compile_options(carvel_common INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                               -Wno-sign-conversion)
# Each function in a section of its own, so that a program can leave out what it never calls:
# Seamer links without the split engine.
target_compile_options(carvel_common INTERFACE -ffunction-sections -fdata-sections)
if(MINGW)
    # The Windows programs carry their C++ runtime, so that each .exe runs alone.
    target_link_options(carvel_common INTERFACE -static -static-libgcc -static-libstdc++)
    # Windows 10 and later: the calls the file system takes by handle.
    target_compile_definitions(carvel_common INTERFACE _WIN32_WINNT=0x0A00 WINVER=0x0A00
                                                       UNICODE _UNICODE)
    # GCC 12 warns of overlapping copies inside std::string's own inlined code at -O2 (GCC bug
    # 105329), where there are none.
    target_compile_options(carvel_common INTERFACE -Wno-restrict)
endif()
if(CARVEL_WERROR)
    target_compile_options(carvel_common INTERFACE -Werror)
endif()
if(CARVEL_SANITIZE)
    target_compile_options(carvel_common INTERFACE -fsanitize=address,undefined,float-cast-overflow
                                                   -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(carvel_common INTERFACE -fsanitize=address,undefined,float-cast-overflow)
endif()
if(CARVEL_FUZZ)
    # Coverage for libFuzzer in every target, so that it sees into the parsers' libraries too.
    target_compile_options(carvel_common INTERFACE -fsanitize=fuzzer-no-link)
endif()
