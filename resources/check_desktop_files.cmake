# Checks the desktop integration files against each other: every PNG has the size its
# install folder names, and the desktop file, the MIME type and the icon agree.
# Run: cmake -DRESOURCES=<this folder> -P check_desktop_files.cmake
if(NOT RESOURCES)
  message(FATAL_ERROR "RESOURCES is not set")
endif()
set(failures 0)
set(checks 0)
macro(fail text)
  message(SEND_ERROR "${text}")
  math(EXPR failures "${failures} + 1")
endmacro()

# PNG: 8-byte signature, then the IHDR chunk whose width and height are 4 bytes each
# (big-endian) at offsets 16 and 20.
foreach(size IN ITEMS 16 32 48 64 128 256)
  math(EXPR checks "${checks} + 1")
  set(png ${RESOURCES}/icons/cs-tolvar-${size}.png)
  if(NOT EXISTS ${png})
    fail("${png} is missing")
    continue()
  endif()
  file(READ ${png} head LIMIT 24 HEX)
  string(SUBSTRING "${head}" 0 16 signature)
  string(SUBSTRING "${head}" 24 8 chunk)
  string(SUBSTRING "${head}" 32 8 width)
  string(SUBSTRING "${head}" 40 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT chunk STREQUAL "49484452")
    fail("${png} is not a PNG image")
  elseif(NOT width EQUAL size OR NOT height EQUAL size)
    fail("${png} is ${width}x${height}, not ${size}x${size}")
  endif()
endforeach()

math(EXPR checks "${checks} + 1")
file(READ ${RESOURCES}/icons/cs-tolvar.svg svg)
if(NOT svg MATCHES "<svg[^>]*viewBox=")
  fail("cs-tolvar.svg has no viewBox: it would not scale")
endif()

# The desktop file names the program, the icon and the MIME type the XML defines.
file(READ ${RESOURCES}/cs-tolvar.desktop desktop)
file(READ ${RESOURCES}/cs-tolvar.xml mime)
string(REGEX MATCH "<mime-type type=\"([^\"]+)\"" _ "${mime}")
set(type "${CMAKE_MATCH_1}")
foreach(expected IN ITEMS
    "\nName=CS-Tolvar\n"
    "\nComment=Cloning Software for VK-Tolvar\n"
    "\nExec=cs-tolvar --open %f\n"
    "\nIcon=cs-tolvar\n"
    "\nTerminal=false\n"
    "\nMimeType=${type};\n")
  math(EXPR checks "${checks} + 1")
  string(FIND "${desktop}" "${expected}" at)
  if(at EQUAL -1)
    string(STRIP "${expected}" shown)
    fail("cs-tolvar.desktop lacks the line ${shown}")
  endif()
endforeach()
foreach(expected IN ITEMS
    "application/x-cs-tolvar-data"
    "<comment>CS-Tolvar Data</comment>"
    "<glob pattern=\"*.zcf\"/>"
    "<icon name=\"cs-tolvar\"/>")
  math(EXPR checks "${checks} + 1")
  string(FIND "${mime}" "${expected}" at)
  if(at EQUAL -1)
    fail("cs-tolvar.xml lacks ${expected}")
  endif()
endforeach()

math(EXPR passed "${checks} - ${failures}")
message("${passed} passed, ${failures} failed")
if(failures GREATER 0)
  message(FATAL_ERROR "desktop integration files are inconsistent")
endif()
