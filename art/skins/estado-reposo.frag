    <!-- Tab at rest: brushed graphite, waiting for the pointer -->
    <radialGradient id="halo" cx="0.5" cy="0.5" r="0.5">
      <stop offset="0.7" stop-color="#000000" stop-opacity="0"/>
      <stop offset="1" stop-color="#000000" stop-opacity="0"/>
    </radialGradient>
    <linearGradient id="anillo" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="{{METAL_CLARO}}"/>
      <stop offset="0.5" stop-color="{{METAL}}"/>
      <stop offset="1" stop-color="{{METAL_OSCURO}}"/>
    </linearGradient>
    <radialGradient id="disco" cx="0.5" cy="0.35" r="0.7">
      <stop offset="0" stop-color="#4a5468"/>
      <stop offset="0.6" stop-color="#262d3c"/>
      <stop offset="1" stop-color="#10141d"/>
    </radialGradient>
    <linearGradient id="tinta" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="{{METAL_CLARO}}"/>
      <stop offset="1" stop-color="{{METAL}}"/>
    </linearGradient>
    <linearGradient id="titulo" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="{{TEXTO_SUAVE}}"/>
      <stop offset="1" stop-color="{{TEXTO_SUAVE}}"/>
    </linearGradient>
