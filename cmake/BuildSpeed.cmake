# What makes a fresh build quick on a small machine (included before any target is made).
#
# The linker: lld when the compiler can use it (tools/setup.sh installs it); it links a test program
# in a third of the time of the default one.
include(CheckLinkerFlag)
check_linker_flag(CXX "-fuse-ld=lld" QUORVALE_HAS_LLD)
if(QUORVALE_HAS_LLD)
  add_link_options(-fuse-ld=lld)
endif()

# The tests' own files are compiled with -O1: they exercise the libraries, which keep the full
# optimisation, and their large test functions compile a fifth faster so.
set(QUORVALE_TEST_COMPILE_OPTIONS -O1)

# Precompiled headers: the Qt and standard headers that nearly every file includes are parsed once
# per library instead of once per file. quorvale_core precompiles Qt Core's (it must never see a
# widget header), quorvale_lib those and the widget ones, quorvale_testsupport those and QTest; the
# benchmarks and the widget tools reuse quorvale_lib's and the tests quorvale_testsupport's (the
# same compiler options), so no program parses Qt again. -DQUORVALE_PCH=OFF builds without them.
option(QUORVALE_PCH "Precompile the Qt headers that most files include" ON)

set(QUORVALE_PCH_CORE_HEADERS
  <QByteArray> <QDate> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QSet> <QString>
  <QStringList> <QTextStream>
  <algorithm> <functional> <memory> <optional> <vector>)
set(QUORVALE_PCH_WIDGET_HEADERS
  ${QUORVALE_PCH_CORE_HEADERS}
  <QAbstractButton> <QAction> <QApplication> <QCheckBox> <QComboBox> <QFontMetrics> <QFrame>
  <QGridLayout> <QLabel> <QLineEdit> <QMouseEvent> <QPainter> <QPointer> <QPushButton> <QScrollBar>
  <QTimer> <QToolButton> <QWidget>)

# Gives the target the precompiled headers of `kind` (core, widgets or tests), or reuses those of
# another target (REUSE target).
function(quorvale_precompile target kind)
  if(NOT QUORVALE_PCH)
    return()
  endif()
  if(kind STREQUAL "REUSE")
    target_precompile_headers(${target} REUSE_FROM ${ARGV2})
    # A program's own moc file is empty (its moc code is included by its source): loading the
    # headers would cost it more than all it compiles.
    set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/mocs_compilation.cpp
                                TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
  elseif(kind STREQUAL "core")
    target_precompile_headers(${target} PRIVATE ${QUORVALE_PCH_CORE_HEADERS})
  elseif(kind STREQUAL "widgets")
    target_precompile_headers(${target} PRIVATE ${QUORVALE_PCH_WIDGET_HEADERS})
  elseif(kind STREQUAL "tests")
    target_precompile_headers(${target} PRIVATE ${QUORVALE_PCH_WIDGET_HEADERS} <QTest>)
  endif()
endfunction()
