// Gives a headless compositor's seat a pointer: a virtual pointer device that the compositor
// then moves and presses for the seat's cursor commands (swaymsg seat - cursor ...). Moves and
// presses also come from standard input, one per line: "move X Y" in output pixels of a
// WIDTHxHEIGHT output, "press N" and "release N" with evdev button codes. Ends at the end of
// its input or when the compositor goes.
#include <stdio.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

#include "virtual-pointer-v1-client-protocol.h"

static struct zwlr_virtual_pointer_manager_v1* manager;

// Event times in milliseconds of the monotonic clock, as real devices give them: clients
// compare them (a menu ignores a release that comes too soon after the press that opened it).
static uint32_t now_ms(void) {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return (uint32_t)(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

static void global(void* data, struct wl_registry* registry, uint32_t name, const char* interface,
                   uint32_t version) {
  (void)data;
  (void)version;
  if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0) {
    manager = wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1);
  }
}

static void global_remove(void* data, struct wl_registry* registry, uint32_t name) {
  (void)data;
  (void)registry;
  (void)name;
}

static const struct wl_registry_listener registry_listener = {global, global_remove};

int main(int argc, char** argv) {
  unsigned width = 1920;
  unsigned height = 1080;
  if (argc > 1 && sscanf(argv[1], "%ux%u", &width, &height) != 2) {
    fprintf(stderr, "usage: %s [WIDTHxHEIGHT]\n", argv[0]);
    return 2;
  }
  struct wl_display* display = wl_display_connect(NULL);
  if (display == NULL) {
    fprintf(stderr, "virtual_pointer: no Wayland display\n");
    return 1;
  }
  struct wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &registry_listener, NULL);
  wl_display_roundtrip(display);
  if (manager == NULL) {
    fprintf(stderr, "virtual_pointer: the compositor has no virtual pointers\n");
    return 1;
  }
  struct zwlr_virtual_pointer_v1* pointer =
      zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager, NULL);
  wl_display_roundtrip(display);
  printf("ready\n");
  fflush(stdout);

  char line[128];
  while (fgets(line, sizeof line, stdin) != NULL) {
    unsigned x = 0;
    unsigned y = 0;
    unsigned button = 0;
    const uint32_t time = now_ms();
    if (sscanf(line, "move %u %u", &x, &y) == 2) {
      zwlr_virtual_pointer_v1_motion_absolute(pointer, time, x, y, width, height);
    } else if (sscanf(line, "press %u", &button) == 1) {
      zwlr_virtual_pointer_v1_button(pointer, time, button, 1);
    } else if (sscanf(line, "release %u", &button) == 1) {
      zwlr_virtual_pointer_v1_button(pointer, time, button, 0);
    } else {
      continue;
    }
    zwlr_virtual_pointer_v1_frame(pointer);
    if (wl_display_roundtrip(display) < 0) break;
    printf("ok\n");
    fflush(stdout);
  }
  zwlr_virtual_pointer_v1_destroy(pointer);
  wl_display_roundtrip(display);
  wl_display_disconnect(display);
  return 0;
}
