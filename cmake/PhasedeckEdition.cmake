# Builds one edition (app or lab): its layered static libraries, its program and its tests.
# A source file in lab/<folder>/ replaces the file of the same name in <folder>/ for the lab
# edition; lab/ files without a counterpart are added to that folder's library.

set(PHASEDECK_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)

# Headers precompiled once per library: the toolkit's widgets for the widget layers, and those
# with GoogleTest and QtTest for the test programs, which reuse one set per edition.
set(phasedeckWidgetHeaders <QApplication> <QCheckBox> <QDialog> <QGroupBox> <QImage> <QLabel>
    <QLineEdit> <QPixmap> <QPushButton> <QRadioButton> <QSpinBox> <QString> <QStringList>
    <QVariant> <boost/shared_ptr.hpp> <algorithm> <cmath> <functional> <memory> <string> <vector>)
set(phasedeckTestHeaders ${phasedeckWidgetHeaders} <QDir> <QFile> <QTemporaryDir> <QTest>
    <gtest/gtest.h>)

function(phasedeck_collect out folder edition)
  file(GLOB files CONFIGURE_DEPENDS
       ${PHASEDECK_ROOT}/${folder}/*.cpp ${PHASEDECK_ROOT}/${folder}/*.h
       ${PHASEDECK_ROOT}/${folder}/*.ui ${PHASEDECK_ROOT}/${folder}/*.qrc)
  if(edition STREQUAL "lab")
    file(GLOB labFiles CONFIGURE_DEPENDS
         ${PHASEDECK_ROOT}/lab/${folder}/*.cpp ${PHASEDECK_ROOT}/lab/${folder}/*.h
         ${PHASEDECK_ROOT}/lab/${folder}/*.ui)
    foreach(labFile IN LISTS labFiles)
      get_filename_component(name ${labFile} NAME)
      list(REMOVE_ITEM files ${PHASEDECK_ROOT}/${folder}/${name})
    endforeach()
    list(APPEND files ${labFiles})
  endif()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# A static library of one layer; an INTERFACE library while the folder is still empty.
function(phasedeck_layer target edition)
  cmake_parse_arguments(L "" "" "FOLDERS;EXCLUDE;LINKS" ${ARGN})
  set(sources)
  foreach(folder IN LISTS L_FOLDERS)
    phasedeck_collect(found ${folder} ${edition})
    list(APPEND sources ${found})
  endforeach()
  foreach(ex IN LISTS L_EXCLUDE)
    list(REMOVE_ITEM sources ${PHASEDECK_ROOT}/${ex})
  endforeach()
  set(compiled ${sources})
  list(FILTER compiled INCLUDE REGEX "\\.cpp$")
  # *_avx2.cpp: the AVX2 + FMA versions of hot loops, chosen at run time (base/vectorPath.h).
  # They skip the library's precompiled headers: those are built for the portable target (clang
  # refuses them) and would bring standard-library code into the AVX2 objects.
  set(avx2Sources ${compiled})
  list(FILTER avx2Sources INCLUDE REGEX "_avx2\\.cpp$")
  if(avx2Sources)
    set_source_files_properties(${avx2Sources} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
  endif()
  if(avx2Sources AND CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|i[3-6]86)$")
    set_source_files_properties(${avx2Sources} PROPERTIES
                                COMPILE_OPTIONS "-mavx2;-mfma;-ffp-contract=off")
  endif()
  if(compiled)
    add_library(${target} STATIC ${sources})
    target_link_libraries(${target} PUBLIC ${L_LINKS})
    set_target_properties(${target} PROPERTIES AUTOUIC_SEARCH_PATHS "${PHASEDECK_ROOT}/dialogs")
  else()
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE ${L_LINKS})
  endif()
endfunction()

function(phasedeck_add_edition edition)
  if(edition STREQUAL "lab")
    set(isLab 1)
  else()
    set(isLab 0)
  endif()
  set(e ${edition})

  # Process-wide values, log and message seam (QtCore/QtGui only).
  phasedeck_layer(pd_base_${e} ${e} FOLDERS base
                  LINKS Qt6::Core Qt6::Gui Boost::headers)
  target_include_directories(pd_base_${e} PUBLIC ${PHASEDECK_ROOT})
  target_compile_definitions(pd_base_${e} PUBLIC PHASEDECK_LAB=${isLab})
  if(isLab)
    target_include_directories(pd_base_${e} PUBLIC ${SFFTW_INCLUDE_DIR})
  endif()

  set(fieldLinks pd_base_${e})
  if(isLab)
    list(APPEND fieldLinks ${SFFTW_LIBRARY})
  endif()
  phasedeck_layer(pd_fields_${e} ${e} FOLDERS fields LINKS ${fieldLinks})
  phasedeck_layer(pd_fieldio_${e} ${e} FOLDERS fieldio LINKS pd_fields_${e})
  phasedeck_layer(pd_patterns_${e} ${e} FOLDERS patterns LINKS pd_fieldio_${e})
  phasedeck_layer(pd_design_${e} ${e} FOLDERS design LINKS pd_fieldio_${e})
  phasedeck_layer(pd_dialogs_${e} ${e} FOLDERS dialogs LINKS pd_base_${e} Qt6::Widgets)
  # Form headers include their uic output; dependents find it in the library's autogen folder.
  target_include_directories(pd_dialogs_${e} INTERFACE
                             ${CMAKE_CURRENT_BINARY_DIR}/pd_dialogs_${e}_autogen/include)
  phasedeck_layer(pd_shell_${e} ${e} FOLDERS views app EXCLUDE app/main.cpp
                  LINKS pd_patterns_${e} pd_design_${e} pd_dialogs_${e} Qt6::Widgets)
  target_precompile_headers(pd_dialogs_${e} PRIVATE ${phasedeckWidgetHeaders})
  target_precompile_headers(pd_shell_${e} PRIVATE ${phasedeckWidgetHeaders})

  if(PHASEDECK_FUZZ)
    return()
  endif()

  add_executable(phasedeck_${e} ${PHASEDECK_ROOT}/app/main.cpp)
  target_link_libraries(phasedeck_${e} PRIVATE pd_shell_${e})

  # Tests: one program per test file, tests/<folder>/<name>_test.cpp, linked with the layer of
  # its folder; other .cpp files in a test folder form a helper library linked into each of its
  # programs. Every test program reuses the support library's precompiled headers.
  add_library(pd_testsupport_${e} STATIC
              ${PHASEDECK_ROOT}/tests/support/testMain.cpp
              ${PHASEDECK_ROOT}/tests/support/messageRecorder.h
              ${PHASEDECK_ROOT}/tests/support/messageRecorder.cpp
              ${PHASEDECK_ROOT}/tests/support/vectorPaths.h
              ${PHASEDECK_ROOT}/tests/support/vectorPaths.cpp)
  target_link_libraries(pd_testsupport_${e} PUBLIC pd_base_${e} GTest::gtest Qt6::Widgets
                        Qt6::Test)
  target_include_directories(pd_testsupport_${e} PUBLIC ${PHASEDECK_ROOT}/tests)
  target_precompile_headers(pd_testsupport_${e} PRIVATE ${phasedeckTestHeaders})

  set(testFolders base fields fieldio patterns design dialogs views app)
  set(testLibs pd_base_${e} pd_fields_${e} pd_fieldio_${e} pd_patterns_${e} pd_design_${e}
               pd_dialogs_${e} pd_shell_${e} pd_shell_${e})
  if(isLab)
    list(APPEND testFolders lab)
    list(APPEND testLibs pd_shell_${e})
  endif()
  foreach(folder lib IN ZIP_LISTS testFolders testLibs)
    file(GLOB testSources CONFIGURE_DEPENDS ${PHASEDECK_ROOT}/tests/${folder}/*_test.cpp)
    file(GLOB helperSources CONFIGURE_DEPENDS ${PHASEDECK_ROOT}/tests/${folder}/*.cpp)
    list(REMOVE_ITEM helperSources ${testSources})
    set(links pd_testsupport_${e} ${lib})
    if(helperSources)
      set(helpers pd_testhelpers_${folder}_${e})
      add_library(${helpers} STATIC ${helperSources})
      target_link_libraries(${helpers} PUBLIC ${links})
      target_precompile_headers(${helpers} REUSE_FROM pd_testsupport_${e})
      list(APPEND links ${helpers})
    endif()
    foreach(source IN LISTS testSources)
      get_filename_component(name ${source} NAME_WE)
      set(t test_${folder}_${name}_${e})
      add_executable(${t} ${source})
      target_link_libraries(${t} PRIVATE ${links})
      target_precompile_headers(${t} REUSE_FROM pd_testsupport_${e})
      add_test(NAME ${t} COMMAND ${t})
      set_tests_properties(${t} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_ENABLE_HIGHDPI_SCALING=0;APPDATA=${CMAKE_CURRENT_BINARY_DIR}/test-appdata-${e}"
        WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
        TIMEOUT 600)
    endforeach()
  endforeach()
endfunction()
