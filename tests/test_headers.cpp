// Compiles the test programs' shared precompiled headers (tests/CMakeLists.txt).
