# add_difx_import_library(<name>)
#
# Builds libdifxapi.a at build time with the toolchain's dlltool from our own
# .def and exposes it as the INTERFACE target <name>; linking against <name>
# makes the program import DriverPackagePreinstallW and DIFXAPISetLogCallbackW
# from difxapi.dll when it is loaded.

set(_difx_def_dir "${CMAKE_CURRENT_LIST_DIR}/../app")

# dlltool of the same toolchain as the compiler: CMAKE_DLLTOOL when set,
# otherwise the compiler's target prefix (e.g. "i686-w64-mingw32-") + dlltool.
function(_difx_find_dlltool out_var)
    if(CMAKE_DLLTOOL)
        # May be a bare program name, as toolchain files often give it.
        unset(found)
        find_program(found NAMES "${CMAKE_DLLTOOL}" NO_CACHE)
        if(NOT found)
            message(FATAL_ERROR "add_difx_import_library: CMAKE_DLLTOOL ${CMAKE_DLLTOOL} not found")
        endif()
        set(${out_var} "${found}" PARENT_SCOPE)
        return()
    endif()
    foreach(compiler IN ITEMS "${CMAKE_CXX_COMPILER}" "${CMAKE_C_COMPILER}")
        if(NOT compiler)
            continue()
        endif()
        get_filename_component(compiler_dir "${compiler}" DIRECTORY)
        get_filename_component(compiler_name "${compiler}" NAME)
        if(compiler_name MATCHES "^(.+-)(g\\+\\+|gcc|c\\+\\+|cc|clang\\+\\+|clang)(-[^-]+)?(\\.exe)?$")
            unset(found)
            find_program(found NAMES "${CMAKE_MATCH_1}dlltool" HINTS "${compiler_dir}" NO_CACHE)
            if(found)
                set(${out_var} "${found}" PARENT_SCOPE)
                return()
            endif()
        endif()
    endforeach()
    message(FATAL_ERROR "add_difx_import_library: no dlltool found; set CMAKE_DLLTOOL")
endfunction()

function(add_difx_import_library name)
    _difx_find_dlltool(dlltool)

    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        # stdcall names carry @<bytes>; -k imports them undecorated.
        set(def "${_difx_def_dir}/difxapi-i686.def")
        set(dlltool_args -m i386 -k)
    elseif(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(def "${_difx_def_dir}/difxapi.def")
        set(dlltool_args -m i386:x86-64)
    else()
        message(FATAL_ERROR "add_difx_import_library: enable C or CXX before calling it")
    endif()
    get_filename_component(def "${def}" ABSOLUTE)

    set(out_dir "${CMAKE_CURRENT_BINARY_DIR}/${name}")
    set(lib "${out_dir}/libdifxapi.a")
    # dlltool names the library's symbols after its output path: a bare file name keeps
    # the build folder out of every program linked against it.
    add_custom_command(
        OUTPUT "${lib}"
        COMMAND "${dlltool}" ${dlltool_args} -d "${def}" -l libdifxapi.a
        WORKING_DIRECTORY "${out_dir}"
        DEPENDS "${def}"
        COMMENT "Generating import library libdifxapi.a for difxapi.dll"
        VERBATIM)
    add_custom_target(${name}_generate DEPENDS "${lib}")

    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE "${lib}")
    add_dependencies(${name} ${name}_generate)
endfunction()
