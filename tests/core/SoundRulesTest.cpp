// placeholder while the core is written
