# The user guide's screenshots: hvn35-docshots fills a radio emulator with a varied memory, reads it
# through the window and renders every window and page offscreen to docs/images/ (./build.sh docs).
add_executable(hvn35-docshots tools/docshots/docshots.cpp)
target_link_libraries(hvn35-docshots PRIVATE n35ui n35emuprocess n35sample)
