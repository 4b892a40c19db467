# One place for the flags every target of the project gets.
add_library(vex_settings INTERFACE)
target_compile_options(vex_settings INTERFACE
  -Wall -Wextra -Wpedantic
  # Every intermediate result of the difference formulas must be rounded to double,
  # so a multiply-add must never be fused.
  -ffp-contract=off)
if(VEX_SANITIZE)
  target_compile_options(vex_settings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                -fno-sanitize-recover=undefined)
  target_link_options(vex_settings INTERFACE -fsanitize=address,undefined)
endif()
if(VEX_SANITIZE_THREADS)
  target_compile_options(vex_settings INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(vex_settings INTERFACE -fsanitize=thread)
endif()
