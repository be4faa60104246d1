<?php
// Keeps the site's pages from asking anything of other hosts: no emoji script or images, no
// resource hints, no avatars from a gravatar service.
remove_action('wp_head', 'print_emoji_detection_script', 7);
remove_action('admin_print_scripts', 'print_emoji_detection_script');
remove_action('wp_head', 'wp_resource_hints', 2);
add_filter('emoji_svg_url', '__return_false');
add_filter('pre_option_show_avatars', '__return_zero');
