# Reads the resources of a compiled resource file or an executable back
# with windres and checks what Windows shows of them: the version record,
# the icon and exactly one application manifest. Given OBJDUMP, also checks
# that the executable imports DLLs of Windows itself and nothing of the
# compiler's (libstdc++, libgcc, libwinpthread).
#
#   cmake -DWINDRES=<windres> -DINPUT=<file.res|file.exe> -DVERSION=1.0.0.1
#         [-DOBJDUMP=<objdump>] -P check-resources.cmake
cmake_minimum_required(VERSION 3.25)

foreach(required WINDRES INPUT VERSION)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "check-resources: -D${required}=... is missing")
  endif()
endforeach()

execute_process(COMMAND ${WINDRES} -i ${INPUT} -O rc
                OUTPUT_VARIABLE rc ERROR_VARIABLE errors RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "windres could not read ${INPUT} back (${result}): ${errors}")
endif()

# The forms the version record uses, worked out here on their own: numbers
# separated by ", " as windres writes them back, and major.minor(2).revision(4).
string(REPLACE "." ";" numbers "${VERSION}")
list(GET numbers 0 major)
list(GET numbers 1 minor)
list(GET numbers 3 revision)
string(REPLACE "." ", " commas "${VERSION}")
math(EXPR minor "${minor}" OUTPUT_FORMAT DECIMAL)
string(LENGTH "${minor}" length)
if(length LESS 2)
  set(minor "0${minor}")
endif()
string(LENGTH "${revision}" length)
while(length LESS 4)
  set(revision "0${revision}")
  string(LENGTH "${revision}" length)
endwhile()
set(text "${major}.${minor}.${revision}")

set(failures "")
foreach(expected
    "FILEVERSION ${commas}\n"
    "PRODUCTVERSION ${commas}\n"
    "BLOCK \"040904B0\""
    "VALUE \"ProductName\", \"Marrowvale\"\n"
    "VALUE \"InternalName\", \"Marrowvale\"\n"
    "VALUE \"OriginalFilename\", \"Marrowvale.exe\"\n"
    "VALUE \"FileVersion\", \"${text}\"\n"
    "VALUE \"ProductVersion\", \"${text}\"\n"
    "VALUE \"Translation\", 0x409, 1200\n"
    "/* RT_GROUP_ICON */"
    "Microsoft.Windows.Common-Controls"
    "PerMonitorV2")
  string(FIND "${rc}" "${expected}" at)
  if(at EQUAL -1)
    string(STRIP "${expected}" shown)
    string(APPEND failures "  missing: ${shown}\n")
  endif()
endforeach()

# A second manifest, from the linker or the toolchain, would make Windows
# refuse to start the program or pick either one.
string(REGEX MATCHALL "/\\* RT_MANIFEST \\*/" manifests "${rc}")
list(LENGTH manifests count)
if(NOT count EQUAL 1)
  string(APPEND failures "  ${count} manifests instead of one\n")
endif()

if(DEFINED OBJDUMP)
  execute_process(COMMAND ${OBJDUMP} -p ${INPUT} OUTPUT_VARIABLE headers RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${INPUT} (${result})")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
  if(NOT imports)
    string(APPEND failures "  no imported DLL found\n")
  endif()
  set(imports_note "; imports")
  foreach(import ${imports})
    string(REPLACE "DLL Name: " "" dll "${import}")
    string(APPEND imports_note " ${dll}")
    string(TOLOWER "${dll}" dll)
    if(NOT dll MATCHES "^(kernel32|user32|gdi32|comctl32|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+)\\.dll$")
      string(APPEND failures "  imports ${dll}, which is not part of Windows\n")
    endif()
  endforeach()
endif()

if(failures)
  message(FATAL_ERROR "${INPUT}:\n${failures}windres read back:\n${rc}")
endif()
message(STATUS "${INPUT}: version ${text}, one manifest${imports_note}")
