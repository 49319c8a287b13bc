# Copies the DLLs the Windows programs load into bin/ beside them: MinGW's C++
# runtime, and with the window Qt's libraries and the plugins Qt loads by name
# (the Windows platform and style, and the offscreen platform the tests use),
# and Qt's Japanese translation.
set(RUVIVUVAZ_RUNTIME_DLLS)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                  OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
    message(FATAL_ERROR "MinGW runtime ${dll} not found beside ${CMAKE_CXX_COMPILER}")
  endif()
  list(APPEND RUVIVUVAZ_RUNTIME_DLLS ${found})
endforeach()

set(bin ${CMAKE_BINARY_DIR}/bin)
set(copies COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}
           COMMAND ${CMAKE_COMMAND} -E copy_if_different ${RUVIVUVAZ_RUNTIME_DLLS} ${bin})
if(RUVIVUVAZ_BUILD_SHELL)
  set(qt_libraries Core Gui Widgets)
  if(RUVIVUVAZ_BUILD_TESTS)
    list(APPEND qt_libraries Test)
  endif()
  find_package(Qt6 REQUIRED COMPONENTS ${qt_libraries})
  list(TRANSFORM qt_libraries PREPEND Qt6::)
  foreach(library ${qt_libraries})
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_if_different
         $<TARGET_FILE:${library}> ${bin})
  endforeach()
  foreach(plugin_and_folder
          Qt6::QWindowsIntegrationPlugin=platforms Qt6::QOffscreenIntegrationPlugin=platforms
          Qt6::QWindowsVistaStylePlugin=styles)
    string(REPLACE "=" ";" pair ${plugin_and_folder})
    list(GET pair 0 plugin)
    list(GET pair 1 folder)
    list(APPEND copies
         COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}/${folder}
         COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${plugin}> ${bin}/${folder})
  endforeach()
  # Qt's own texts in Japanese: Debian's translation of the same Qt (package
  # qt6-translations-l10n), in translations/ beside the programs, where the
  # program looks for it.
  find_file(RUVIVUVAZ_QT_JAPANESE qtbase_ja.qm
            PATHS ${QT_HOST_PATH}/share/qt6/translations /usr/share/qt6/translations
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(RUVIVUVAZ_QT_JAPANESE)
    list(APPEND copies
         COMMAND ${CMAKE_COMMAND} -E make_directory ${bin}/translations
         COMMAND ${CMAKE_COMMAND} -E copy_if_different ${RUVIVUVAZ_QT_JAPANESE} ${bin}/translations)
  else()
    message(WARNING "qtbase_ja.qm not found (package qt6-translations-l10n): "
      "the Windows program shows Qt's own texts in English")
  endif()
endif()
add_custom_target(ruvivuvaz_windows_runtime ALL ${copies}
                  COMMENT "Copying the DLLs the Windows programs load into bin/")

# Every program of the build depends on it, so building any one target leaves
# it runnable.
function(ruvivuvaz_programs_in folder out)
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  set(programs)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      list(APPEND programs ${target})
    endif()
  endforeach()
  get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(subfolder ${subfolders})
    ruvivuvaz_programs_in(${subfolder} more)
    list(APPEND programs ${more})
  endforeach()
  set(${out} ${programs} PARENT_SCOPE)
endfunction()
ruvivuvaz_programs_in(${PROJECT_SOURCE_DIR} programs)
foreach(program ${programs})
  add_dependencies(${program} ruvivuvaz_windows_runtime)
endforeach()
