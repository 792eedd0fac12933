# The pictures of the Windows programs, as packaging/windows/art renders them on the build host
# and cmake/WindowsResources.cmake compiles them into the programs.
set(CARVEL_WINDOWS_ART_FILES
    carvel.ico seamer.ico
    toolbar-split.ico toolbar-join.ico toolbar-about.ico toolbar-help.ico toolbar-exit.ico
    mode-split.ico mode-join.ico mode-about.ico mode-help.ico
    select-file.ico start.ico about-logo.bmp link-hand.cur)
