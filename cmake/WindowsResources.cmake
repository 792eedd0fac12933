# The resources of the Windows programs: their pictures (ui/win32/ArtworkIds.h names them) and a
# version resource, compiled by MinGW's windres.
#
# The pictures are drawn by ui/Artwork.cpp with Qt, which has no MinGW build here: the build host
# renders them (packaging/windows/art, run by scripts/windows.sh) into the folder that
# CARVEL_WINDOWS_ARTWORK names.
#
#   carvel_windows_resources(TARGET PROGRAM <Carvel|Seamer> DESCRIPTION "..." [MANIFEST file])
#
# gives TARGET all the pictures, its own program's icon as the first, and a VERSIONINFO with the
# project's version, the description, the copyright and the original file name TARGET.exe;
# MANIFEST, if given, becomes its application manifest.
enable_language(RC)

set(CARVEL_WINDOWS_ARTWORK "" CACHE PATH
    "Folder of the Windows programs' pictures, rendered on the build host by packaging/windows/art")
include(${CMAKE_CURRENT_LIST_DIR}/WindowsArtFiles.cmake)

function(carvel_windows_resources target)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "PROGRAM;DESCRIPTION;MANIFEST" "")
    if(NOT arg_PROGRAM MATCHES "^(Carvel|Seamer)$" OR NOT arg_DESCRIPTION)
        message(FATAL_ERROR "Windows resources: carvel_windows_resources(${target}) needs "
                            "PROGRAM Carvel or Seamer and a DESCRIPTION")
    endif()
    set(art ${CARVEL_WINDOWS_ARTWORK})
    set(missing)
    foreach(file IN LISTS CARVEL_WINDOWS_ART_FILES)
        if(NOT art OR NOT EXISTS ${art}/${file})
            list(APPEND missing ${file})
        endif()
    endforeach()
    if(missing)
        message(FATAL_ERROR "Windows resources: the pictures are missing from "
            "CARVEL_WINDOWS_ARTWORK=\"${art}\" (${missing}). Render them on the build host: "
            "cmake -S packaging/windows/art -B ART && cmake --build ART, then configure with "
            "-DCARVEL_WINDOWS_ARTWORK=ART/artwork (scripts/windows.sh does both).")
    endif()
    string(TOLOWER ${target} internal)
    string(TOLOWER ${arg_PROGRAM} own)
    set(version ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0)
    set(manifest "")
    if(arg_MANIFEST)
        get_filename_component(manifestPath ${arg_MANIFEST} ABSOLUTE)
        set(manifest "1 24 \"${manifestPath}\"")
    endif()
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc)
    file(CONFIGURE OUTPUT ${rc} @ONLY CONTENT [=[
// Written by cmake/WindowsResources.cmake for @target@.exe.
#include <winver.h>
#include "ArtworkIds.h"

IDI_PROGRAM ICON "@art@/@own@.ico"
IDI_CARVEL ICON "@art@/carvel.ico"
IDI_SEAMER ICON "@art@/seamer.ico"
IDI_TOOLBAR_SPLIT ICON "@art@/toolbar-split.ico"
IDI_TOOLBAR_JOIN ICON "@art@/toolbar-join.ico"
IDI_TOOLBAR_ABOUT ICON "@art@/toolbar-about.ico"
IDI_TOOLBAR_HELP ICON "@art@/toolbar-help.ico"
IDI_TOOLBAR_EXIT ICON "@art@/toolbar-exit.ico"
IDI_MODE_SPLIT ICON "@art@/mode-split.ico"
IDI_MODE_JOIN ICON "@art@/mode-join.ico"
IDI_MODE_ABOUT ICON "@art@/mode-about.ico"
IDI_MODE_HELP ICON "@art@/mode-help.ico"
IDI_SELECT_FILE ICON "@art@/select-file.ico"
IDI_START ICON "@art@/start.ico"
IDB_ABOUT_LOGO BITMAP "@art@/about-logo.bmp"
IDCUR_LINK_HAND CURSOR "@art@/link-hand.cur"
@manifest@

VS_VERSION_INFO VERSIONINFO
FILEVERSION @version@
PRODUCTVERSION @version@
FILEFLAGSMASK VS_FFI_FILEFLAGSMASK
FILEFLAGS 0
FILEOS VOS_NT_WINDOWS32
FILETYPE VFT_APP
FILESUBTYPE VFT2_UNKNOWN
BEGIN
    BLOCK "StringFileInfo"
    BEGIN
        BLOCK "040904B0"
        BEGIN
            VALUE "CompanyName", "Team Carvel"
            VALUE "FileDescription", "@arg_DESCRIPTION@"
            VALUE "FileVersion", "@PROJECT_VERSION@"
            VALUE "InternalName", "@internal@"
            VALUE "LegalCopyright", "Copyright (C) @CARVEL_COPYRIGHT@"
            VALUE "OriginalFilename", "@internal@.exe"
            VALUE "ProductName", "@arg_PROGRAM@"
            VALUE "ProductVersion", "@PROJECT_VERSION@"
        END
    END
    BLOCK "VarFileInfo"
    BEGIN
        VALUE "Translation", 0x409, 1200
    END
END
]=])
    # The resources compile on their own, without the C++ flags windres would not take.
    add_library(${target}_resources OBJECT ${rc})
    target_include_directories(${target}_resources PRIVATE ${CMAKE_SOURCE_DIR}/ui/win32)
    list(TRANSFORM CARVEL_WINDOWS_ART_FILES PREPEND ${art}/ OUTPUT_VARIABLE artPaths)
    if(arg_MANIFEST)
        list(APPEND artPaths ${manifestPath})
    endif()
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${artPaths}")
    target_link_libraries(${target} PRIVATE ${target}_resources)
endfunction()
