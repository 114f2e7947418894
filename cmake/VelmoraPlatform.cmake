# The platform's OpenGL, GLU and GLUT, as OpenGL::GL, OpenGL::GLU and
# GLUT::GLUT, and on Linux X11::X11 for the platform layer.
if(WIN32)
  # opengl32 and glu32 come with MinGW-w64; freeglut is the static library
  # scripts/build-windows builds, which wants FREEGLUT_STATIC in its users.
  find_package(OpenGL REQUIRED COMPONENTS OpenGL)
  find_path(GLUT_INCLUDE_DIR GL/freeglut.h REQUIRED)
  find_library(GLUT_LIBRARY NAMES freeglut_static REQUIRED)
  add_library(GLUT::GLUT STATIC IMPORTED)
  set_target_properties(GLUT::GLUT PROPERTIES
    IMPORTED_LOCATION ${GLUT_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${GLUT_INCLUDE_DIR}
    INTERFACE_COMPILE_DEFINITIONS FREEGLUT_STATIC
    INTERFACE_LINK_LIBRARIES "OpenGL::GL;winmm;gdi32")
  # MinGW-w64's zlib comes as a DLL too; the static one keeps velmora.exe alone.
  set(ZLIB_USE_STATIC_LIBS ON)
  # M_PI and the other <cmath> constants, which MinGW's strict C++ mode hides.
  add_compile_definitions(_USE_MATH_DEFINES)
else()
  find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX)
  find_package(GLUT REQUIRED)
  find_package(X11 REQUIRED)
endif()

# Tests of a cross build run through the emulator (Wine), so their cases are
# listed when ctest runs rather than while building.
if(CMAKE_CROSSCOMPILING)
  set(VELMORA_TEST_DISCOVERY PRE_TEST)
else()
  set(VELMORA_TEST_DISCOVERY POST_BUILD)
endif()
