<?php
// Adds the author, gives both users an application password for reading the REST API, and
// settles what a first visit would ask: php users.php AUTHOR_PASSWORD (prints key=value lines).
require ABSPATH . 'wp-load.php';
require_once ABSPATH . 'wp-admin/includes/user.php';
$author = wp_insert_user(['user_login' => 'author', 'user_pass' => $argv[1], 'role' => 'author',
                          'user_email' => 'author@example.invalid']);
if (is_wp_error($author)) {
    fwrite(STDERR, $author->get_error_message() . "\n");
    exit(1);
}
// The block editor greets a first visit with a guide over the page; these users have seen it.
$seen = ['core/edit-post' => ['welcomeGuide' => false], '_modified' => gmdate('c')];
foreach (['admin' => get_user_by('login', 'admin')->ID, 'author' => $author] as $login => $id) {
    update_user_meta($id, $wpdb->get_blog_prefix() . 'persisted_preferences', $seen);
    [$password] = WP_Application_Passwords::create_new_application_password($id, ['name' => 'tests']);
    echo "{$login}_app_password=$password\n";
}
