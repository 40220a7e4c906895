# Writes OUT_CPP, the definition of testing_support::ShippedData() (tests/support/shipped_data.h):
# the bytes of every file under resources/data, keyed by its relative Windows path. The calling
# folder reconfigures when one of them changes.
function(veltrin_shipped_data root out_cpp)
    set(data ${root}/resources/data)
    file(GLOB_RECURSE files CONFIGURE_DEPENDS RELATIVE ${data} ${data}/*)
    set(body "")
    foreach(f IN LISTS files)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${data}/${f})
        file(READ ${data}/${f} hex HEX)
        string(LENGTH "${hex}" hex_len)
        math(EXPR hex_len "${hex_len} / 2")
        string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" escaped "${hex}")
        string(REPLACE "/" "\\\\" winpath "${f}")
        string(APPEND body "        {\"${winpath}\", std::string(\"${escaped}\", ${hex_len})},\n")
    endforeach()
    file(CONFIGURE OUTPUT ${out_cpp} CONTENT "#include \"support/shipped_data.h\"\n\nnamespace testing_support {\n\nconst std::map<std::string, std::string>& ShippedData() {\n    static const std::map<std::string, std::string> files = {\n${body}    };\n    return files;\n}\n\n}  // namespace testing_support\n" @ONLY)
endfunction()
