# The layering of the sources, checked on every test run (ctest -R layering):
#   cmake -DSOURCE_DIR=<repo> -P cmake/CheckLayers.cmake
#
# The folders of src/core in their order from low to high. A file may include headers of
# its own folder and of the folders before it, never of one after it, so that no folder
# depends on a folder above it and no two folders depend on each other. A new folder gets
# its place here (and in docs/architecture.md) before it holds code.
set(TARVEX_CORE_LAYERS
    common    # Real, FpGuard, slots, prompter, Newton iteration, number format, fields,
              # atomic files, the form-schema types
    numerics  # tridiagonal solver, grid functions, interpolation kernels
    plot      # plot model, axes, EPS
    eos       # equation-of-state slots, catalog, models, the selection dialog; the record
              # of electron-model slot types
    electron  # electron models and the thermal-parameter dialog
    spall     # spallation
    hydro     # the base solver class, the iterated step, viscosity; HydroState
    laser     # laser source (absorbed in the cells of the grid)
    thermal   # the derived solver classes
    optics    # complex numbers, reflectance, layered optics
    session   # the session (instance ownership, the solver-class catalog, run-wide values)
    setup     # initial conditions and remeshing
    run       # main window, driver, results display, integral values, tracked points
    files     # profile files and save options
    app       # the application model: every form of one program, the result-file hooks
)

# The other source folders and what each may include besides itself. core includes none
# of them, and no Qt header.
set(TARVEX_ALLOWED_render core)
set(TARVEX_ALLOWED_runfile core)
set(TARVEX_ALLOWED_batch core runfile render)
set(TARVEX_ALLOWED_gui core runfile render)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "CheckLayers.cmake: give -DSOURCE_DIR=<repository>")
endif()

set(violations "")
file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}/src ${SOURCE_DIR}/src/*.h ${SOURCE_DIR}/src/*.cpp)
foreach(rel IN LISTS sources)
  string(REPLACE "/" ";" parts "${rel}")
  list(GET parts 0 top)
  set(folder "")
  if(top STREQUAL "core")
    list(LENGTH parts depth)
    if(depth LESS 3)
      string(APPEND violations "  src/${rel}: a core source outside a subsystem folder\n")
      continue()
    endif()
    list(GET parts 1 folder)
    list(FIND TARVEX_CORE_LAYERS ${folder} own)
    if(own EQUAL -1)
      string(APPEND violations "  src/${rel}: folder core/${folder} has no place in the layer order\n")
      continue()
    endif()
  endif()
  file(STRINGS ${SOURCE_DIR}/src/${rel} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    if(line MATCHES "#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"]")
      set(target "${CMAKE_MATCH_1}")
    else()
      continue()
    endif()
    if(top STREQUAL "core")
      if(target MATCHES "^Q[A-Za-z]*$" OR target MATCHES "^Qt[A-Za-z]*/")
        string(APPEND violations "  src/${rel}: includes the Qt header <${target}>\n")
      elseif(target MATCHES "^(render|gui|batch|runfile)/")
        string(APPEND violations "  src/${rel}: core includes ${target}\n")
      elseif(target MATCHES "^core/([a-z]+)/")
        set(other ${CMAKE_MATCH_1})
        list(FIND TARVEX_CORE_LAYERS ${other} theirs)
        if(theirs EQUAL -1)
          string(APPEND violations "  src/${rel}: includes ${target} of an unknown folder\n")
        elseif(theirs GREATER own)
          string(APPEND violations
                 "  src/${rel}: core/${folder} includes ${target}, which lies above it\n")
        endif()
      endif()
    elseif(DEFINED TARVEX_ALLOWED_${top})
      if(target MATCHES "^(core|render|gui|batch|runfile)/")
        string(REGEX MATCH "^[a-z]+" other "${target}")
        if(NOT other STREQUAL top)
          list(FIND TARVEX_ALLOWED_${top} ${other} allowed)
          if(allowed EQUAL -1)
            string(APPEND violations "  src/${rel}: ${top} includes ${target}\n")
          endif()
        endif()
      endif()
    endif()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "Layering violations (see cmake/CheckLayers.cmake for the order):\n"
                      "${violations}")
endif()
list(LENGTH sources count)
message(STATUS "Layering: ${count} source files checked")
