# Fails when a name that tqlink or tqpack exports has no documentation in the
# API reference. Run by ctest as tq_docs_exports:
#
#   cmake -DDOXYGEN=<doxygen or empty> -DNM=<nm> -DXML_DIR=<reference xml>
#         "-DEXPORTS=<library>=<version script>|..." -P check_documented.cmake
#
# The exported names are read from each built library's dynamic symbol table:
# every defined function or data item of the version node that the library's
# version script declares. A name counts as documented when the reference
# gives it a brief or a detailed description. When doxygen is not installed
# there is no reference to check: the script says "SKIPPED: ...", which makes
# ctest count the test as skipped.
cmake_minimum_required(VERSION 3.25)

if(NOT DOXYGEN)
  message("SKIPPED: doxygen is not installed, so the API reference was not made; "
          "scripts/deps.sh installs it")
  return()
endif()
if(NOT EXISTS "${XML_DIR}/index.xml")
  message(FATAL_ERROR "The API reference has not been made: ${XML_DIR}/index.xml is missing "
                      "(build the target tq_docs)")
endif()

# --- The exported names ------------------------------------------------------
string(REPLACE "|" ";" pairs "${EXPORTS}")
set(exported "")
foreach(pair IN LISTS pairs)
  string(FIND "${pair}" "=" at)
  string(SUBSTRING "${pair}" 0 ${at} library)
  math(EXPR after "${at} + 1")
  string(SUBSTRING "${pair}" ${after} -1 map)

  file(READ "${map}" script)
  string(REGEX REPLACE "/\\*([^*]|\\*+[^*/])*\\*+/" "" script "${script}")
  if(NOT script MATCHES "([A-Za-z_][A-Za-z0-9_.]*)[ \t\r\n]*{")
    message(FATAL_ERROR "No version node in ${map}")
  endif()
  set(node "${CMAKE_MATCH_1}")

  execute_process(COMMAND "${NM}" -D --defined-only --with-symbol-versions "${library}"
    OUTPUT_VARIABLE symbols RESULT_VARIABLE result ERROR_VARIABLE error)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "Cannot read the symbols of ${library}: ${error}")
  endif()
  string(REGEX MATCHALL "[^\n]+" lines "${symbols}")
  set(found 0)
  foreach(line IN LISTS lines)
    # "<address> <type> <name>@@<node>"; type A is the node's own marker.
    if(line MATCHES "^[0-9a-fA-F]+ ([A-Za-z]) ([A-Za-z_][A-Za-z0-9_]*)@@?${node}$")
      if(NOT CMAKE_MATCH_1 STREQUAL "A")
        list(APPEND exported "${CMAKE_MATCH_2}")
        math(EXPR found "${found} + 1")
      endif()
    endif()
  endforeach()
  if(found EQUAL 0)
    message(FATAL_ERROR "${library} exports no name of version node ${node} (from ${map})")
  endif()
endforeach()
list(REMOVE_DUPLICATES exported)

# --- The documented names ----------------------------------------------------
file(GLOB xml_files "${XML_DIR}/*.xml")
set(documented "")
foreach(xml_file IN LISTS xml_files)
  file(READ "${xml_file}" xml)
  # One member at a time; the texts may hold ';', so no CMake lists here.
  while(TRUE)
    string(FIND "${xml}" "<memberdef " start)
    if(start EQUAL -1)
      break()
    endif()
    string(SUBSTRING "${xml}" ${start} -1 xml)
    string(FIND "${xml}" "</memberdef>" end)
    if(end EQUAL -1)
      break()
    endif()
    string(SUBSTRING "${xml}" 0 ${end} member)
    string(SUBSTRING "${xml}" ${end} -1 xml)
    if(member MATCHES "^<memberdef kind=\"(function|variable)\"" AND
       member MATCHES "<name>([A-Za-z_][A-Za-z0-9_]*)</name>")
      set(name "${CMAKE_MATCH_1}")
      if(member MATCHES "<briefdescription>[ \t\r\n]*<para>" OR
         member MATCHES "<detaileddescription>[ \t\r\n]*<para>")
        list(APPEND documented "${name}")
      endif()
    endif()
  endwhile()
endforeach()

# --- The verdict -------------------------------------------------------------
set(missing "")
foreach(name IN LISTS exported)
  if(NOT name IN_LIST documented)
    list(APPEND missing "${name}")
  endif()
endforeach()
list(LENGTH exported exportedCount)
if(missing)
  list(SORT missing)
  list(LENGTH missing missingCount)
  list(JOIN missing "\n  " names)
  message(FATAL_ERROR "${missingCount} of ${exportedCount} exported names have no documentation "
    "in the API reference (give each a /** ... */ comment in its header):\n  ${names}")
endif()
message("All ${exportedCount} exported names are documented.")
