# Checks that the widget folders of the subsystems include no platform layer:
#   cmake -DSRC=<src folder> -P check_page_includes.cmake
# Pages take input capture, pointer settings and the like from the window through PageHost, so
# they run unchanged on any platform layer the window chooses. Only the platform folder itself
# and the shell, which makes the choice, include one.
file(GLOB files ${SRC}/*/ui/*.h ${SRC}/*/ui/*.cpp ${SRC}/*/*/ui/*.h ${SRC}/*/*/ui/*.cpp)
set(found "")
foreach(file IN LISTS files)
    file(RELATIVE_PATH name ${SRC} ${file})
    if(name MATCHES "^(platform|shell)/")
        continue()
    endif()
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]platform/")
    foreach(line IN LISTS lines)
        string(APPEND found "\n  src/${name}: ${line}")
    endforeach()
endforeach()
list(LENGTH files count)
if(count EQUAL 0)
    message(FATAL_ERROR "no widget sources under ${SRC}")
endif()
if(found)
    message(FATAL_ERROR "a page folder includes a platform layer; take it from PageHost:${found}")
endif()
