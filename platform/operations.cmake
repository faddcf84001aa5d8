# The Win32 platform operations: one small file per job.
add_library(tamsel_platform STATIC
  ${CMAKE_CURRENT_LIST_DIR}/run_directory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/files.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shell.cpp
  ${CMAKE_CURRENT_LIST_DIR}/message_box.cpp
  ${CMAKE_CURRENT_LIST_DIR}/destroy_request.cpp
  ${CMAKE_CURRENT_LIST_DIR}/process_tree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/own_job.cpp
  ${CMAKE_CURRENT_LIST_DIR}/processes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system_paths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup.cpp)
target_link_libraries(tamsel_platform PUBLIC tamsel_texts ole32 oleaut32 shell32 user32 kernel32)
