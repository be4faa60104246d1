<?php
// The classic edit screen for every post, as site owners choose it.
add_filter('use_block_editor_for_post', '__return_false');
add_filter('use_block_editor_for_post_type', '__return_false');
