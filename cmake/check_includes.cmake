# Run as `cmake -DCONFIG=FILE -P check_includes.cmake`, FILE setting RING (a name for the
# message), FILES and FORBIDDEN (path prefixes from the repository root), or with the three
# given as -D options: fails, naming every offending line, when one of FILES includes a
# header under one of the FORBIDDEN prefixes. The rings share one include directory, so
# only this check keeps a ring from reaching outward.
if(CONFIG)
  include(${CONFIG})
endif()
foreach(file IN LISTS FILES)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" header "${line}")
    foreach(prefix IN LISTS FORBIDDEN)
      string(FIND "${header}" "${prefix}" at)
      if(at EQUAL 0)
        string(APPEND problems "\n  ${file}: #include \"${header}\" (${prefix} is outside ${RING})")
      endif()
    endforeach()
  endforeach()
endforeach()
if(problems)
  message(FATAL_ERROR "ring ${RING} includes a header of an outer ring:${problems}\n"
                      "A ring sees only the rings inside it; move the code or the include.")
endif()
