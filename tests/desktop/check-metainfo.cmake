# Validates the AppStream metainfo with appstreamcli and fails on every
# error, warning and informational issue it reports, bar the two listed in
# `accepted`. Pedantic hints are shown but, as with appstreamcli's own
# --strict, do not fail.
#
#   cmake -DAPPSTREAMCLI=<appstreamcli> -DMETAINFO=<file> -P check-metainfo.cmake
cmake_minimum_required(VERSION 3.25)

foreach(required APPSTREAMCLI METAINFO)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "check-metainfo: -D${required}=... is missing")
  endif()
endforeach()

# Each entry is "severity tag hint", as appstreamcli prints them.
set(accepted
  # Marrowvale has no homepage, and one must not be made up; AppStream 1.0
  # and later warn whenever a component names none.
  "W url-homepage-missing"
  # AppStream 1.0 introduced <developer>; earlier validators (Debian 12 has
  # 0.16) do not know it, and software centres built on them skip it.
  "I unknown-tag developer")

execute_process(COMMAND ${APPSTREAMCLI} validate --no-net --pedantic --explain ${METAINFO}
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE result)
message("${output}${errors}")
# 3 is appstreamcli's answer for a file it read and found issues in; any
# other failure means it could not validate at all.
if(NOT result EQUAL 0 AND NOT result EQUAL 3)
  message(FATAL_ERROR "check-metainfo: appstreamcli could not validate ${METAINFO} (exit status ${result})")
endif()
if(NOT output MATCHES "Validation (was successful|failed)")
  message(FATAL_ERROR "check-metainfo: appstreamcli printed no verdict on ${METAINFO}")
endif()

string(REPLACE ";" "," output "${output}")
string(REGEX MATCHALL "[^\n]+" lines "${output}")
set(issues 0)
set(refused)
foreach(line IN LISTS lines)
  # "W: org.marrowvale.marrowvale:~: url-homepage-missing", or with a line
  # number in place of ~ and a hint after the tag.
  if(NOT line MATCHES "^([EWIP]): [^ ]+: ([^ ]+)( (.*))?$")
    continue()
  endif()
  math(EXPR issues "${issues} + 1")
  set(severity ${CMAKE_MATCH_1})
  set(issue "${CMAKE_MATCH_1} ${CMAKE_MATCH_2}")
  if(CMAKE_MATCH_4)
    string(APPEND issue " ${CMAKE_MATCH_4}")
  endif()
  if(severity STREQUAL "P")
    continue()
  endif()
  if(issue IN_LIST accepted)
    message("check-metainfo: accepted \"${issue}\"")
  else()
    list(APPEND refused "${issue}")
  endif()
endforeach()

if(result EQUAL 3 AND issues EQUAL 0)
  message(FATAL_ERROR "check-metainfo: appstreamcli failed ${METAINFO} but no issue line could be read from its output")
endif()
if(refused)
  list(JOIN refused "\", \"" refused)
  message(FATAL_ERROR "check-metainfo: waited for no issues beyond the accepted ones; saw \"${refused}\"")
endif()
